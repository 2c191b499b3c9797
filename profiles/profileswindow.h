// The profiles window "Form5": named locations from "Profiles.ini", whose NT values it copies
// into the main window's NT value box.
#pragma once

#include "launch/launcher.h"
#include "widgets/services.h"

#include <QMainWindow>

#include <functional>

class QComboBox;
class QPushButton;

namespace zental {

class ProfilesWindow : public QMainWindow {
public:
    using NtValueSetter = std::function<void(const QString&)>;

    // Runs the window's start-up at once: fills the list, or creates the example file on
    // first use, opens it in the editor and explains the format.
    ProfilesWindow(const WindowServices& services, NtValueSetter setNtValue,
                   QWidget* parent = nullptr);

    // The data directory, with the separator appended, in front of the file name.
    QString Path;

    void EP_Click();

private:
    void createMenus();
    void Form_Load();
    void R_Click();
    void H_Click();
    void Combo1_Change();
    void Command1_Click();
    void fillList();
    QString profilePath() const;
    void tell(const QString& text);

    WindowServices m_services;
    Launcher m_launcher;
    NtValueSetter m_setNtValue;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace zental
