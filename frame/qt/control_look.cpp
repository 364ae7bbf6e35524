#include "frame/qt/control_look.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

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
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

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

void ApplyColors(QWidget& widget, ControlKind kind, std::optional<Color> text,
                 std::optional<Color> background) {
  if (!text && !background) return;
  bool is_label = kind == ControlKind::kLabel;
  QPalette::ColorRole text_role = is_label ? QPalette::WindowText : QPalette::Text;
  QPalette::ColorRole background_role = is_label ? QPalette::Window : QPalette::Base;
  QPalette palette = widget.palette();
  if (text) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
      palette.setColor(group, text_role, ToQColor(*text));
  }
  if (background) {
    palette.setColor(background_role, ToQColor(*background));
    if (is_label) widget.setAutoFillBackground(true);
  }
  widget.setPalette(palette);
}

}  // namespace frame
