// The main window "form1": the periodic table of element buttons, the NT value box, the value
// labels and the compound controls. Start-up and shut-down keep the NT value in the settings file.
#pragma once

#include "core/catalogue.h"
#include "launch/launcher.h"
#include "widgets/services.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace zental {

class ProfilesWindow;
class TypingLimit;
class ValueLabel;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);

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
    void Profiles_Click();
    void showElement(const ElementButton& element);
    void R_Combo_Click();
    void Combo1_Change();
    void C_F_Click();
    void ComP_Click();
    void Command36_Click();
    void tell(const QString& text);

    WindowServices m_services;
    Launcher m_launcher;

    QLineEdit* NT_V = nullptr;
    TypingLimit* m_ntTypingLimit = nullptr;
    ValueLabel* NMR_E = nullptr;
    std::array<ValueLabel*, 3> Isotope1{};
    std::array<ValueLabel*, 3> NMR_f{};
    QComboBox* Combo1 = nullptr;
    QPushButton* C_F = nullptr;
    QPushButton* R_Combo = nullptr;
    QPushButton* ComP = nullptr;
    QPushButton* Command36 = nullptr;
    QAction* Profiles = nullptr;
    QPointer<ProfilesWindow> m_profiles; // at most one, made afresh after closing
};

} // namespace zental
