#include "zental/mainwindow.h"

#include "core/compounds.h"
#include "core/display.h"
#include "core/messages.h"
#include "core/pairlist.h"
#include "core/settingsfile.h"
#include "profiles/profileswindow.h"
#include "widgets/controlwidgets.h"
#include "widgets/elementbutton.h"
#include "widgets/fonts.h"
#include "widgets/messagebox.h"
#include "widgets/typinglimit.h"
#include "widgets/valuelabel.h"
#include "zental/mainlayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <tuple>

namespace zental {
namespace {

const QString selectCompoundText = QStringLiteral("Select Compound");

} // namespace

MainWindow::MainWindow(const WindowServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_launcher(services.processes, platformPrograms(), this) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("ZENTAL Frequencies by Velmora"));
    setFont(layoutFont(layout::Font::Regular));

    QWidget* client = createFixedClient(this, layout::clientWidth, layout::clientHeight);
    createControls(client);
    createMenus();
    setTabOrder();

    Form_Load();
}

void MainWindow::createControls(QWidget* client) {
    // Creation order is stacking order: labels at the bottom, value labels over the captions
    // they overlap, then the buttons and boxes.
    for (const layout::Kind kind : {layout::Kind::Label, layout::Kind::ValueLabel})
        for (const layout::Control& control : layout::controls)
            if (control.kind == kind)
                createControlWidget(control, client, layout::spokenNames);
    createElementButtons(client);
    for (const layout::Control& control : layout::controls)
        if (control.kind != layout::Kind::Label && control.kind != layout::Kind::ValueLabel)
            createControlWidget(control, client, layout::spokenNames);

    NT_V = client->findChild<QLineEdit*>(QStringLiteral("NT_V"));
    m_ntTypingLimit = new TypingLimit(NT_V, ntValueMaxTyped);
    NMR_E = client->findChild<ValueLabel*>(QStringLiteral("NMR_E"));
    for (size_t k = 0; k < 3; ++k) {
        Isotope1[k] = client->findChild<ValueLabel*>(QStringLiteral("Isotope1_%1").arg(k));
        NMR_f[k] = client->findChild<ValueLabel*>(QStringLiteral("NMR_f_%1").arg(k));
    }
    Combo1 = client->findChild<QComboBox*>(QStringLiteral("Combo1"));
    C_F = client->findChild<QPushButton*>(QStringLiteral("C_F"));
    R_Combo = client->findChild<QPushButton*>(QStringLiteral("R_Combo"));
    ComP = client->findChild<QPushButton*>(QStringLiteral("ComP"));
    Command36 = client->findChild<QPushButton*>(QStringLiteral("Command36"));
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::Combo1_Change);
    connect(C_F, &QPushButton::clicked, this, &MainWindow::C_F_Click);
    connect(R_Combo, &QPushButton::clicked, this, &MainWindow::R_Combo_Click);
    connect(ComP, &QPushButton::clicked, this, &MainWindow::ComP_Click);
    connect(Command36, &QPushButton::clicked, this, &MainWindow::Command36_Click);
    for (QWidget* createdDisabled :
         std::initializer_list<QWidget*>{NT_V, Combo1, C_F, ComP, R_Combo})
        createdDisabled->setEnabled(false);
}

void MainWindow::createElementButtons(QWidget* client) {
    // Where two buttons overlap, the one later in the tab order lies above.
    auto places = layout::elementButtonPlaces;
    std::sort(places.begin(), places.end(),
              [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
    for (const layout::ElementButtonPlace& place : places) {
        const ElementButton& element = *findElementButton(place.number);
        auto* button = new ElementButtonWidget(toQString(element.caption), client);
        button->setObjectName(QStringLiteral("Command%1").arg(place.number));
        button->setGeometry(
            pixelRect(place.left, place.top, place.width, layout::elementButtonHeight));
        button->setFont(layoutFont(layout::Font::SmallBold));
        button->setEnabled(element.enabled());
        button->setAccessibleDescription(element.enabled() ? toQString(element.elementName)
                                                           : QStringLiteral("not available"));
        connect(button, &QPushButton::clicked, this, [this, &element] { showElement(element); });
    }
}

void MainWindow::createMenus() {
    QMenu* about = menuBar()->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About"));
    about->menuAction()->setObjectName(QStringLiteral("About"));
    QAction* help = about->addAction(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help"));
    connect(help, &QAction::triggered, this, &MainWindow::Help_Click);

    Profiles = menuBar()->addAction(QStringLiteral("Profiles"));
    Profiles->setObjectName(QStringLiteral("Profiles"));
    Profiles->setEnabled(false);
    connect(Profiles, &QAction::triggered, this, &MainWindow::Profiles_Click);
}

void MainWindow::setTabOrder() {
    std::map<int, QWidget*> byTabIndex;
    collectFocusable(byTabIndex, centralWidget(), layout::controls);
    for (const layout::ElementButtonPlace& place : layout::elementButtonPlaces)
        byTabIndex[place.tabIndex] =
            findChild<QWidget*>(QStringLiteral("Command%1").arg(place.number));
    setTabOrderByIndex(byTabIndex);
}

void MainWindow::setNtValue(const QString& text) {
    m_ntTypingLimit->setProgramText(text);
}

void MainWindow::Form_Load() {
    Combo1->setEditText(selectCompoundText);
    std::ignore = createMissingCompoundFile(Path + compoundFileName); // shows in the refresh
    R_Combo_Click();

    const QString settingsPath = Path + settingsFileName;
    const StoredSettings settings = readSettings(settingsPath);
    if (settings.ntValue)
        setNtValue(*settings.ntValue);
    if (settings.needsRewrite) // a read-only folder is reported at shut-down
        std::ignore = writeSettings(settingsPath, NT_V->text());

    NT_V->setEnabled(true);
    Profiles->setEnabled(true);
    Combo1->setEnabled(true);
    C_F->setEnabled(true);
    ComP->setEnabled(true);
    R_Combo->setEnabled(true);
    NT_V->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void MainWindow::Profiles_Click() {
    if (!m_profiles) {
        m_profiles = new ProfilesWindow(
            m_services, [this](const QString& text) { setNtValue(text); }, this);
        m_profiles->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_profiles->show();
    m_profiles->raise();
    m_profiles->activateWindow();
}

void MainWindow::Form_Unload() {
    const QString settingsPath = Path + settingsFileName;
    if (const Status saved = writeSettings(settingsPath, NT_V->text()); !saved)
        tell(saved.error());
    if (m_profiles)
        m_profiles->close();
    QCoreApplication::quit();
}

void MainWindow::tell(const QString& text) {
    m_services.messages.show(this, text);
}

void MainWindow::Help_Click() {
    tell(mainHelpText);
}

void MainWindow::showElement(const ElementButton& element) {
    const ElementDisplayTexts texts =
        elementDisplay(element, NT_V->text().toStdString(), m_services.separators);
    NMR_E->setValue(QString::fromStdString(texts.elementName));
    for (size_t k = 0; k < 3; ++k) {
        Isotope1[k]->setValue(QString::fromStdString(texts.massLabels[k]));
        NMR_f[k]->setValue(QString::fromStdString(texts.frequencies[k]));
    }
    if (!texts.ntValueValid)
        tell(invalidNtValueMessage);
}

void MainWindow::R_Combo_Click() {
    const Result<PairNames> list = readPairNames(Path + compoundFileName);
    if (!list) {
        tell(list.error());
        return;
    }
    replaceEntries(Combo1, list->names, selectCompoundText);
}

// Typing is undone: a compound can only be chosen from the list.
void MainWindow::Combo1_Change() {
    showPrompt(Combo1, selectCompoundText);
}

void MainWindow::C_F_Click() {
    const Result<std::optional<QString>> reference =
        readPairValue(Path + compoundFileName, Combo1->currentIndex());
    if (!reference) {
        tell(reference.error());
        return;
    }
    for (ValueLabel* isotope : Isotope1)
        isotope->setValue(QString());
    NMR_E->setValue(Combo1->currentText());
    const std::optional<std::string> frequency =
        compoundFrequencyText(NT_V->text().toStdString(),
                              reference->value_or(QString()).toStdString(), m_services.separators);
    if (!frequency) {
        tell(compoundNotChosenMessage);
        return;
    }
    NMR_f[0]->setValue(QString::fromStdString(*frequency));
}

void MainWindow::ComP_Click() {
    m_launcher.openInEditor(Path + compoundFileName, [this](const Status& opened) {
        if (!opened)
            tell(opened.error());
    });
}

void MainWindow::Command36_Click() {
    m_launcher.openCalculatorPage([this](const Status& opened) {
        if (!opened)
            tell(opened.error());
    });
}

} // namespace zental
