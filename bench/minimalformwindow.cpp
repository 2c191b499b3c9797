// The baseline of zental-field's window in the start-up benchmark: the least a Qt Widgets program
// with the same kinds and number of widgets does. Six captioned line edits with their units in a
// grid, a large bold value label, thirteen lines of text below it, a status line, a captioned
// line edit beside two push buttons and a wrapped paragraph; the default font, no data files, no
// model, no places, no icon. Run under firstframe_preload it ends at its first frame.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal form"));
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const char* const captions[][2] = {{"Name:", ""},   {"First:", "°"},        {"Second:", "°"},
                                       {"Third:", "m"}, {"Day:", "YYYY-MM-DD"}, {"Rate:", "Hz"}};
    for (int row = 0; row < 6; ++row) {
        grid->addWidget(new QLabel(QString::fromUtf8(captions[row][0])), row, 0);
        grid->addWidget(new QLineEdit(row == 4 ? QStringLiteral("2026-12-07") : QString()), row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[row][1])), row, 2);
    }
    auto* value = new QLabel(QStringLiteral("50940.7"));
    QFont large = value->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    value->setFont(large);
    layout->addWidget(value);
    QStringList lines;
    for (int k = 0; k < 13; ++k)
        lines << QStringLiteral("Line %1 of the details: 20855.4 nT (-9.6 nT/yr)").arg(k + 1);
    layout->addWidget(new QLabel(lines.join(u'\n')));
    layout->addWidget(new QLabel(QStringLiteral("A status line.")));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Name:")));
    buttons->addWidget(new QLineEdit);
    buttons->addWidget(new QPushButton(QStringLiteral("Copy the Value")));
    buttons->addWidget(new QPushButton(QStringLiteral("Add to the List")));
    layout->addLayout(buttons);
    auto* help = new QLabel(QStringLiteral("A paragraph of credits and limits, long enough to wrap "
                                           "over three lines of the window's width, as the real "
                                           "window's help does."));
    help->setWordWrap(true);
    layout->addWidget(help);
    window.show();
    return QApplication::exec();
}
