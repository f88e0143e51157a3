#include "launcher/ui/ConverterPicture.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvane {
namespace {

constexpr int kSide = 105;

void DrawFrame(QPainter& painter, const QRect& frame, const QColor& top, const QColor& bottom,
               const QString& label) {
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawRect(frame);
    painter.setPen(Qt::white);
    painter.drawText(frame, Qt::AlignCenter, label);
}

}  // namespace

QPixmap ConverterPicture() {
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    DrawFrame(painter, QRect(4, 4, 56, 56), QColor(70, 110, 190), QColor(20, 40, 90), "BLP");
    DrawFrame(painter, QRect(44, 44, 56, 56), QColor(90, 170, 90), QColor(30, 90, 30), "TGA");
    return picture;
}

}  // namespace kelvane
