#include "profiles/profileswindow.h"

#include "core/messages.h"
#include "core/pairlist.h"
#include "core/profilefile.h"
#include "core/textfile.h"
#include "profiles/profileslayout.h"
#include "widgets/controlwidgets.h"
#include "widgets/fonts.h"
#include "widgets/messagebox.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace zental {
namespace {

const QString selectProfileText = QStringLiteral("Select Profile");

} // namespace

ProfilesWindow::ProfilesWindow(const WindowServices& services, NtValueSetter setNtValue,
                               QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , m_services(services)
    , m_launcher(services.processes, platformPrograms(), this)
    , m_setNtValue(std::move(setNtValue)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Customer Profiles"));
    setFont(layoutFont(layout::Font::Regular));
    QWidget* client =
        createFixedClient(this, profiles_layout::clientWidth, profiles_layout::clientHeight);
    for (const layout::Control& control : profiles_layout::controls)
        createControlWidget(control, client, {});
    Combo1 = client->findChild<QComboBox*>(QStringLiteral("Combo1"));
    Command1 = client->findChild<QPushButton*>(QStringLiteral("Command1"));
    // Screen readers on Linux name a combo box by the label it is the buddy of.
    client->findChild<QLabel*>(QStringLiteral("Name"))->setBuddy(Combo1);
    std::map<int, QWidget*> byTabIndex;
    collectFocusable(byTabIndex, client, profiles_layout::controls);
    setTabOrderByIndex(byTabIndex);
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, &ProfilesWindow::Combo1_Change);
    connect(Command1, &QPushButton::clicked, this, &ProfilesWindow::Command1_Click);
    createMenus();
    Combo1->setFocus();

    Form_Load();
}

void ProfilesWindow::createMenus() {
    struct MenuCommand {
        const char* name;
        const char* caption;
        void (ProfilesWindow::*handler)();
    };
    static constexpr MenuCommand commands[] = {
        {"EP", "Edit Profiles", &ProfilesWindow::EP_Click},
        {"R", "Refresh", &ProfilesWindow::R_Click},
        {"H", "Help", &ProfilesWindow::H_Click},
    };
    for (const MenuCommand& command : commands) {
        QAction* action = menuBar()->addAction(QString::fromLatin1(command.caption));
        action->setObjectName(QString::fromLatin1(command.name));
        connect(action, &QAction::triggered, this, command.handler);
    }
}

QString ProfilesWindow::profilePath() const {
    return Path + profileFileName;
}

void ProfilesWindow::tell(const QString& text) {
    m_services.messages.show(isVisible() ? this : parentWidget(), text);
}

void ProfilesWindow::Form_Load() {
    Path = profilePathPrefix();
    if (QFileInfo::exists(profilePath())) {
        fillList(); // an existing file that cannot be read is the user's: never replace it
        return;
    }
    if (const Status written = writeLines(profilePath(), exampleProfileLines); !written) {
        tell(written.error());
        return;
    }
    EP_Click();
    tell(profilesFirstUseMessage);
}

// Lists the names and puts the last complete profile's NT value into the main window.
void ProfilesWindow::fillList() {
    const Result<PairNames> list = readPairNames(profilePath());
    if (!list) {
        tell(list.error());
        return;
    }
    replaceEntries(Combo1, list->names, selectProfileText);
    if (list->lastValue)
        m_setNtValue(*list->lastValue);
}

void ProfilesWindow::R_Click() {
    fillList();
}

void ProfilesWindow::EP_Click() {
    m_launcher.openInEditor(profilePath(), [this](const Status& opened) {
        if (!opened)
            tell(opened.error());
    });
}

void ProfilesWindow::H_Click() {
    tell(profilesHelpText);
}

// Typing is undone: a profile can only be chosen from the list.
void ProfilesWindow::Combo1_Change() {
    showPrompt(Combo1, selectProfileText);
}

// Reads the value at the chosen position from the file as it is now, which may be newer than
// the list. Without a value line there, the NT value box keeps its text.
void ProfilesWindow::Command1_Click() {
    const Result<std::optional<QString>> profile =
        readPairValue(profilePath(), Combo1->currentIndex());
    if (!profile)
        tell(profile.error());
    else if (*profile)
        m_setNtValue(**profile);
}

} // namespace zental
