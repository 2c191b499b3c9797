#include "widgets/elementbutton.h"

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
    // Number above symbol; "1  H" has two blanks but wraps the same way.
    const QString wrapped = caption.simplified().replace(u' ', u'\n');
    painter.drawItemText(rect().intersected(area.adjusted(-3, -3, 3, 3)), Qt::AlignCenter,
                         option.palette, isEnabled(), wrapped, QPalette::ButtonText);
}

} // namespace zental
