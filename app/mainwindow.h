// The main window "form1": the periodic table of element buttons, the NT value box, the value
// labels and the compound controls. Start-up and shut-down keep the NT value in the settings file.
#pragma once

#include "catalogue.h"
#include "numbertext.h"

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zental {

class MessageSink;
class TypingLimit;

class MainWindow : public QMainWindow {
public:
    MainWindow(MessageSink& messages, Separators separators, QWidget* parent = nullptr);

    // Prefix of every data file name the window opens: empty, so they resolve in the
    // working directory.
    const QString Path;

    // Puts a stored NT value into the box whole, however long it is.
    void setNtValue(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls(QWidget* client);
    void createElementButtons(QWidget* client);
    void createMenus();
    void setTabOrder();

    void Form_Load();
    void Form_Unload();
    void Help_Click();
    void showElement(const ElementButton& element);

    MessageSink& m_messages;
    const Separators m_separators;

    QLineEdit* NT_V = nullptr;
    TypingLimit* m_ntTypingLimit = nullptr;
    QLabel* NMR_E = nullptr;
    std::array<QLabel*, 3> Isotope1{};
    std::array<QLabel*, 3> NMR_f{};
    QComboBox* Combo1 = nullptr;
    QPushButton* C_F = nullptr;
    QPushButton* R_Combo = nullptr;
    QPushButton* ComP = nullptr;
    QPushButton* Command36 = nullptr;
    QAction* Profiles = nullptr;
};

} // namespace zental
