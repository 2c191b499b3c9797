#include "widgets/messagebox.h"

#include "core/messages.h"

#include <QMessageBox>

namespace zental {

void MessageBoxSink::show(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace zental
