#include "elementbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace zental {

void ElementButtonWidget::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // "1  H" has two blanks: collapse them so the wrapped lines are "1" and "H".
    const QString wrapped = caption.simplified();
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    painter.drawItemText(rect().intersected(area.adjusted(-3, -3, 3, 3)), flags, option.palette,
                         isEnabled(), wrapped, QPalette::ButtonText);
}

} // namespace zental
