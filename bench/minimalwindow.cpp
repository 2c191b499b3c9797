// The baseline for the start-up benchmark: the least a Qt Widgets program with the same kinds and
// number of widgets as ZENTAL's main window does. A main window with a fixed 595 x 598 client
// (the real client's size), 103 small push buttons in a grid, 15 labels, a line edit, an editable
// combo box, 4 push buttons, and a menu bar with an "About" menu holding one action and a
// "Profiles" action. The texts are of the same sort (element numbers and symbols on the small
// buttons, sentence-long captions on seven labels, eight labels empty), so both programs draw
// a comparable set of glyphs; one font (the default), no data files, no icon. Like the real
// program it only returns when closed; run under firstframe_preload it ends at its first frame.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    auto* client = new QWidget(&window);
    client->setFixedSize(595, 598);
    window.setCentralWidget(client);

    static const char* const symbols[103] = {
        "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
        "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
        "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
        "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
        "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
        "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
        "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr"};
    constexpr int columns = 18;
    for (int k = 0; k < 103; ++k) {
        auto* button = new QPushButton(QStringLiteral("%1 %2").arg(k + 1).arg(symbols[k]), client);
        button->setGeometry(72 + (k % columns) * 24, 64 + (k / columns) * 32, 25, 33);
    }
    const QStringList captions{
        QStringLiteral("Type a value, then choose an element to see its frequencies."),
        QStringLiteral("A Table of the Chemical Elements"),
        QStringLiteral("Results are in hertz."),
        QStringLiteral("Value:"),
        QStringLiteral("Element name:"),
        QStringLiteral("Masses:"),
        QStringLiteral("Freq.:")};
    for (int k = 0; k < 15; ++k) {
        auto* label = new QLabel(k < captions.size() ? captions[k] : QString(), client);
        label->setGeometry(16 + (k % 3) * 190, 300 + (k / 3) * 30, 180, 17);
    }
    auto* lineEdit = new QLineEdit(QStringLiteral("50000"), client);
    lineEdit->setGeometry(120, 450, 81, 19);
    auto* combo = new QComboBox(client);
    combo->setEditable(true);
    combo->addItems({QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third")});
    combo->setEditText(QStringLiteral("Choose one"));
    combo->setGeometry(88, 560, 129, 21);
    const QStringList buttonCaptions{QStringLiteral("Open the Site"), QStringLiteral("Compute"),
                                     QStringLiteral("Edit the List"), QStringLiteral("Reload")};
    for (int k = 0; k < 4; ++k) {
        auto* button = new QPushButton(buttonCaptions[k], client);
        button->setGeometry(232 + k * 90, 560, 85, 25);
    }

    QMenu* about = window.menuBar()->addMenu(QStringLiteral("About"));
    about->addAction(QStringLiteral("Help"));
    window.menuBar()->addAction(QStringLiteral("Profiles"));

    window.show();
    return QApplication::exec();
}
