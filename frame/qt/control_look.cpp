#include "frame/qt/control_look.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>
#include <vector>

namespace frame {
namespace {

constexpr int kDefaultPixelSize = 12;

// Tried in order after a definition's own family.
const QStringList& FallbackFamilies() {
  static const QStringList families = {
      QStringLiteral("WenQuanYi Micro Hei"),
      QStringLiteral("Noto Sans CJK SC"),
      QStringLiteral("Droid Sans Fallback"),
  };
  return families;
}

class FrameStyle final : public QProxyStyle {
 public:
  FrameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
    // Lists open below their box, not over it.
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

const std::vector<QPalette::ColorRole>& AllRoles() {
  static const std::vector<QPalette::ColorRole> roles = [] {
    std::vector<QPalette::ColorRole> all;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      if (role != QPalette::NoRole) all.push_back(static_cast<QPalette::ColorRole>(role));
    }
    return all;
  }();
  return roles;
}

QColor ToQColor(Color color) {
  return QColor(color.red, color.green, color.blue);
}

}  // namespace

void InstallFrameLook(QApplication& application) {
  application.setStyle(new FrameStyle);  // the application takes ownership
  application.setFont(DefaultFont());
}

QFont DefaultFont() {
  QFont font;
  font.setFamilies(FallbackFamilies());
  font.setPixelSize(kDefaultPixelSize);
  return font;
}

QFont DefinitionFont(const FontSpec& requested) {
  QFont font = DefaultFont();
  QStringList families = FallbackFamilies();
  if (!requested.family.empty()) {
    families.prepend(QString::fromUtf8(requested.family.data(),
                                       static_cast<qsizetype>(requested.family.size())));
  }
  font.setFamilies(families);
  if (requested.height_pixels > 0) {
    font.setPixelSize(requested.height_pixels);
  } else if (requested.point_size > 0) {
    // Points as Windows turns them into pixels at 96 dots per inch.
    font.setPixelSize((requested.point_size * 96 + 36) / 72);
  }
  font.setBold(requested.bold);
  return font;
}

void ApplyPalette(QWidget& widget, const ControlDefinition& control, bool disabled) {
  const bool is_label = control.kind == ControlKind::kLabel;
  const QPalette::ColorRole text_role = is_label ? QPalette::WindowText : QPalette::Text;
  const QPalette::ColorRole background_role = is_label ? QPalette::Window : QPalette::Base;
  // Every colour set here, so that none comes from the panel around it.
  const QPalette standard = QApplication::palette(&widget);
  QPalette palette;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (QPalette::ColorRole role : AllRoles())
      palette.setColor(group, role, standard.color(group, role));
  }
  if (control.text_color) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
      palette.setColor(group, text_role, ToQColor(*control.text_color));
  }
  if (control.background_color) {
    palette.setColor(background_role, ToQColor(*control.background_color));
    if (is_label) widget.setAutoFillBackground(true);
  } else if (control.kind == ControlKind::kEditBox && control.input_mode == InputMode::kReadOnly) {
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  }
  if (!disabled) {
    for (QPalette::ColorRole role : AllRoles())
      palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
  }
  widget.setPalette(palette);
}

}  // namespace frame
