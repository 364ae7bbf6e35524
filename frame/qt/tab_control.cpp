#include "frame/qt/tab_control.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace frame {
namespace {

class CompactTabBar final : public QTabBar {
 public:
  using QTabBar::QTabBar;

 protected:
  QSize tabSizeHint(int index) const override {
    QSize size = QTabBar::tabSizeHint(index);
    size.setHeight(TabControl::kStripHeight);
    return size;
  }
};

}  // namespace

TabControl::TabControl(const QStringList& captions, QWidget* parent) : QWidget(parent) {
  for (qsizetype i = 0; i < captions.size(); ++i)
    pages_.push_back(new QWidget(this));
  strip_ = new CompactTabBar(this);
  strip_->setDrawBase(false);
  strip_->setExpanding(false);
  for (const QString& caption : captions)
    strip_->addTab(caption);
  strip_->raise();
  connect(strip_, &QTabBar::currentChanged, this, [this](int index) { ShowPage(index); });
  ShowPage(0);
}

QWidget* TabControl::Page(int index) const {
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int TabControl::CurrentPage() const {
  return strip_->currentIndex();
}

void TabControl::ShowPage(int index) {
  for (int i = 0; i < PageCount(); ++i)
    pages_[static_cast<size_t>(i)]->setVisible(i == index);
}

void TabControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (QWidget* page : pages_)
    page->setGeometry(rect());
  strip_->setGeometry(2, 0, std::min(width() - 4, strip_->sizeHint().width()), kStripHeight);
}

void TabControl::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.shape = QTabBar::RoundedNorth;
  frame.tabBarRect = strip_->geometry();
  frame.tabBarSize = strip_->size();
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  frame.rect = rect().adjusted(0, kStripHeight - 1, 0, 0);
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace frame
