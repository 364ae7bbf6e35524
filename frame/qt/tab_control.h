// A tab control whose pages cover the whole control, so that the controls of
// a page are placed relative to the tab control itself, as definitions give
// them. The strip of page captions lies over the top of the pages.
#pragma once

#include <QWidget>
#include <vector>

class QTabBar;

namespace frame {

class TabControl final : public QWidget {
 public:
  // Windows' tab strip height for the default font; definitions place page
  // controls just below it.
  static constexpr int kStripHeight = 21;

  explicit TabControl(const QStringList& captions, QWidget* parent = nullptr);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  QWidget* Page(int index) const;
  int CurrentPage() const;
  QTabBar* Strip() const { return strip_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowPage(int index);

  QTabBar* strip_ = nullptr;
  std::vector<QWidget*> pages_;
};

}  // namespace frame
