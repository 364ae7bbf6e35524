// An IP address box: four decimal fields of 0 to 255 between dots. The box
// is one tab stop; within it the arrow keys, "." and a full field move
// between the fields.
#pragma once

#include <QFrame>
#include <array>

class QLineEdit;

namespace frame {

class IpAddressEdit final : public QFrame {
 public:
  explicit IpAddressEdit(QWidget* parent = nullptr);

  // "%d.%d.%d.%d" with blank fields as 0, or "" when every field is blank.
  QString Address() const;
  // Fields the text leaves blank or cannot fill stay blank; values above 255 become 255.
  void SetAddress(const QString& dotted);

  QLineEdit* Field(int index) const { return fields_[static_cast<size_t>(index)]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // With its text selected.
  void FocusField(int index);
  void MoveIntoField(int index, bool at_end);
  int IndexOf(QObject* field) const;

  std::array<QLineEdit*, 4> fields_{};
};

}  // namespace frame
