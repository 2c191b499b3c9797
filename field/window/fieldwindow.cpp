#include "field/window/fieldwindow.h"

#include "field/core/fieldmessages.h"
#include "field/core/fieldquery.h"
#include "field/core/profileappend.h"
#include "widgets/pushbutton.h"
#include "widgets/valuelabel.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

constexpr int suggestionCount = 10;

const QString credits =
    u"Field: WMMHR-2025 and WMM-2025, NOAA NCEI (public domain); IGRF-14, IAGA Working Group "
    "V-MOD (CC BY 4.0); summed by GeographicLib. Places: GeoNames, geonames.org (CC BY 4.0). "
    "Local rock and magnetic storms add to the model's uncertainty."_s;

// The most lines a report has: that of a named place, from a model with published uncertainties,
// in a field weak enough for a warning.
int longestReportLineCount() {
    const FieldReport weakest{{u"A place"_s, 0, 0, 0},          QDate(2026, 1, 1), 2026, {}, {},
                              ModelUncertainty{134, 0.25, 5205}};
    return static_cast<int>(reportLines(weakest, plainSeparators).size());
}

} // namespace

QFuture<Result<Gazetteer>> openPlaces(const QString& path) {
    return QtFuture::makeReadyFuture(Gazetteer::open(path));
}

FieldWindow::FieldWindow(FieldWindowSetup setup, QWidget* parent)
    : QWidget(parent)
    , m_setup(std::move(setup)) {
    setWindowTitle(u"ZENTAL Field"_s);
    auto* layout = new QVBoxLayout(this);
    m_inputs = new QGridLayout;
    layout->addLayout(m_inputs);
    m_place = addInput(u"Place"_s, u"&Place:"_s);
    m_latitude = addInput(u"Latitude"_s, u"&Latitude:"_s, u"°"_s);
    m_longitude = addInput(u"Longitude"_s, u"L&ongitude:"_s, u"°"_s);
    m_height = addInput(u"Height"_s, u"&Height:"_s, u"m"_s);
    m_date = addInput(u"Date"_s, u"&Date:"_s, u"YYYY-MM-DD"_s);
    m_proton = addInput(u"Proton frequency"_s, u"P&roton frequency:"_s, u"Hz"_s);
    m_date->setText(m_setup.today.toString(Qt::ISODate));
    m_place->setMinimumWidth(320);
    m_place->setPlaceholderText(u"a town or city, e.g. Denver or Paris, France"_s);

    m_suggestionList = new QStringListModel(this);
    m_completer = new QCompleter(m_suggestionList, this);
    // The gazetteer filters and ranks; the completer only shows the list. Set on the box, it
    // would mark the first suggestion that starts with the text, and Enter would take that one.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(suggestionCount); // a list that scrolls hides its last row
    m_completer->setWidget(m_place);
    connect(m_place, &QLineEdit::textEdited, this, &FieldWindow::placeEdited);
    connect(m_place, &QLineEdit::returnPressed, this, &FieldWindow::chooseFirstSuggestion);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &FieldWindow::placeChosen);
    for (QLineEdit* box : {m_latitude, m_longitude})
        connect(box, &QLineEdit::textEdited, this, &FieldWindow::coordinatesEdited);
    connect(m_height, &QLineEdit::textEdited, this, &FieldWindow::heightEdited);
    for (QLineEdit* box : {m_date, m_proton})
        connect(box, &QLineEdit::textEdited, this, &FieldWindow::recompute);
    buildResult();
    reserveRoom();

    m_place->setFocus();
    recompute();
}

// The data load once the first frame is painted, so that it never waits for them, and on the
// window's own thread: the models take 12 ms, less than a frame, and under Wine a process whose
// worker threads had loaded them sometimes never ended after its window closed.
void FieldWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (m_loadingStarted)
        return;
    m_loadingStarted = true;
    QTimer::singleShot(0, this, [this] {
        m_places.await(m_setup.loadPlaces(m_setup.files.places), [this] { placesLoaded(); });
        m_models.await(QtFuture::makeReadyFuture(FieldModels::load(m_setup.files.models)),
                       [this] { recompute(); });
    });
}

QLineEdit* FieldWindow::addInput(const QString& name, const QString& caption, const QString& unit) {
    auto* box = new QLineEdit(this);
    box->setAccessibleName(name);
    auto* label = new QLabel(caption, this);
    label->setBuddy(box);
    const int row = m_inputs->rowCount();
    m_inputs->addWidget(label, row, 0);
    m_inputs->addWidget(box, row, 1);
    m_inputs->addWidget(new QLabel(unit, this), row, 2);
    return box;
}

void FieldWindow::buildResult() {
    auto* result = new QHBoxLayout;
    result->addWidget(new QLabel(u"NT value:"_s, this));
    m_ntValue = new ValueLabel(u"NT value"_s, this);
    m_ntValue->setMinimumWidth(120);
    QFont large = m_ntValue->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    m_ntValue->setFont(large);
    result->addWidget(m_ntValue);
    result->addStretch();
    m_details = new QLabel(this);
    m_details->setWordWrap(true);
    m_details->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_details->setAccessibleName(u"Field details"_s);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setAccessibleName(u"Status"_s);
    m_name = new QLineEdit(this);
    m_name->setAccessibleName(u"Profile name"_s);
    auto* nameLabel = new QLabel(u"Profile &name:"_s, this);
    nameLabel->setBuddy(m_name);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_ownName = !text.trimmed().isEmpty(); // emptied, it follows the result again
        updateAddButton();
    });
    m_copy = new PushButton(u"&Copy NT Value"_s, this);
    m_add = new PushButton(u"&Add to Profiles"_s, this);
    connect(m_copy, &QPushButton::clicked, this, &FieldWindow::copyNtValue);
    connect(m_add, &QPushButton::clicked, this, &FieldWindow::addToProfiles);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nameLabel);
    buttons->addWidget(m_name, 1);
    buttons->addWidget(m_add);
    buttons->addWidget(m_copy);
    auto* help = new QLabel(credits, this);
    help->setWordWrap(true);
    help->setAccessibleName(u"Help"_s);
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(result);
    layout->addWidget(m_details);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    layout->addWidget(help);
}

// Room for the longest result and the longest message from the start, so the window keeps its
// size whatever it shows.
void FieldWindow::reserveRoom() {
    m_ntValue->setText(ntValueText(99999.9, m_setup.separators)); // an empty label is lower
    m_ntValue->setFixedHeight(m_ntValue->sizeHint().height());
    m_ntValue->clear();
    const int line = m_details->fontMetrics().lineSpacing();
    m_details->setFixedHeight(line * (longestReportLineCount() + 1)); // +1: a long place wraps
    m_status->setFixedHeight(line * 3);
}

// The user may have typed a name before the places were there: it is looked up now.
void FieldWindow::placesLoaded() {
    if (!m_place->text().isEmpty())
        placeEdited(m_place->text());
}

void FieldWindow::placeEdited(const QString& text) {
    if (m_chosen && text != m_chosen->name)
        leavePlace();
    listSuggestions(text);
    recompute();
}

void FieldWindow::listSuggestions(const QString& text) {
    m_suggestions = m_places.arrived() && *m_places ? (*m_places)->search(text, suggestionCount)
                                                    : QList<Place>();
    QStringList shown;
    for (const Place& place : std::as_const(m_suggestions))
        shown << placeText(place);
    m_suggestionList->setStringList(shown);
    // A list opened under a box the user has left would take the keys meant for another box.
    if (!m_suggestions.isEmpty() && m_place->hasFocus() && !m_chosen)
        m_completer->complete();
}

QString FieldWindow::placesProblem(const QString& text) const {
    if (!m_places.arrived())
        return fieldtext::placesLoading;
    if (!*m_places)
        return m_places->error();
    if (!m_suggestions.isEmpty())
        return fieldtext::chooseFromList;
    return fieldtext::noPlaceCalled(text.trimmed());
}

void FieldWindow::placeChosen(const QModelIndex& index) {
    if (index.row() >= 0 && index.row() < m_suggestions.size())
        choosePlace(m_suggestions[index.row()]);
}

// Enter in Place takes the best match, unless the user has marked another in the list.
void FieldWindow::chooseFirstSuggestion() {
    const QAbstractItemView* list = m_completer->popup();
    if (list->isVisible() && list->currentIndex().isValid())
        return; // the list hands the marked one on once the box has seen the key
    if (!m_chosen && !m_suggestions.isEmpty())
        choosePlace(m_suggestions.first());
}

void FieldWindow::choosePlace(const Place& place) {
    m_chosen = siteOf(place);
    m_place->setText(m_chosen->name);
    m_latitude->setText(fixedText(m_chosen->latitude, 5, m_setup.separators));
    m_longitude->setText(fixedText(m_chosen->longitude, 5, m_setup.separators));
    m_height->setText(fixedText(m_chosen->heightMetres, 0, m_setup.separators));
    recompute();
}

// The place's coordinates and height go with it; what the user had typed comes back.
void FieldWindow::leavePlace() {
    m_chosen.reset();
    m_latitude->setText(m_typed.latitude);
    m_longitude->setText(m_typed.longitude);
    m_height->setText(m_typed.height);
}

// Edited coordinates are the user's own and no longer the chosen place's.
void FieldWindow::coordinatesEdited() {
    m_typed.latitude = m_latitude->text();
    m_typed.longitude = m_longitude->text();
    if (m_chosen) {
        m_chosen.reset();
        m_place->clear();
        m_height->setText(m_typed.height);
        listSuggestions({});
    }
    recompute();
}

void FieldWindow::heightEdited(const QString& text) {
    m_typed.height = text;
    recompute();
}

void FieldWindow::recompute() {
    const Result<Outcome> shown = outcome();
    if (!shown)
        return showProblem(shown.error());
    showOutcome(*shown);
}

Result<FieldWindow::Outcome> FieldWindow::outcome() const {
    return m_proton->text().trimmed().isEmpty() ? fieldOutcome() : protonOutcome();
}

// The field where the user says: at the chosen place, else at the coordinates typed, saying so
// when Place holds a name that was not chosen.
Result<FieldWindow::Outcome> FieldWindow::fieldOutcome() const {
    const QString placeText = m_place->text().trimmed();
    const bool unchosenName = !m_chosen && !placeText.isEmpty();
    const bool noCoordinates =
        m_latitude->text().trimmed().isEmpty() && m_longitude->text().trimmed().isEmpty();
    if (unchosenName && noCoordinates)
        return Failure{placesProblem(placeText)};
    if (!m_models.arrived())
        return Failure{fieldtext::modelLoading};
    if (!*m_models)
        return Failure{m_models->error()};
    const Result<FieldQuery> query = parseFieldInputs(
        {m_chosen, m_latitude->text(), m_longitude->text(), m_height->text(), m_date->text()},
        m_setup.today, m_setup.separators);
    if (!query)
        return Failure{query.error()};
    const Result<FieldReport> report = reportOf(**m_models, *query);
    if (!report)
        return Failure{report.error()};
    return Outcome{report->field.total, reportLines(*report, m_setup.separators),
                   siteName(report->site, m_setup.separators),
                   unchosenName ? fieldtext::computedForCoordinates(placeText) : QString()};
}

// The NT value of a measured proton frequency, named after the place it was measured at.
Result<FieldWindow::Outcome> FieldWindow::protonOutcome() const {
    const Result<double> nt = parseProtonFrequency(m_proton->text(), m_setup.separators);
    if (!nt)
        return Failure{nt.error()};
    const Result<Outcome> where = fieldOutcome();
    const QString name = where ? where->profileName + fieldtext::measuredSuffix
                               : fieldtext::protonProfileName(m_proton->text().trimmed());
    return Outcome{*nt, {fieldtext::fromProtonFrequency}, name, {}};
}

void FieldWindow::showOutcome(const Outcome& outcome) {
    m_ntValue->setValue(ntValueText(outcome.nanotesla, m_setup.separators));
    m_details->setText(outcome.details.join(u'\n'));
    m_status->setText(outcome.note);
    if (!m_ownName)
        m_name->setText(outcome.profileName);
    m_copy->setEnabled(true);
    updateAddButton();
}

void FieldWindow::showProblem(const QString& problem) {
    m_ntValue->setValue({});
    m_details->clear();
    m_status->setText(problem);
    if (!m_ownName)
        m_name->clear();
    m_copy->setEnabled(false);
    updateAddButton();
}

// Only a value the window shows, under a name, goes into the profiles.
void FieldWindow::updateAddButton() {
    m_add->setEnabled(!m_ntValue->text().isEmpty() && !m_name->text().trimmed().isEmpty());
}

void FieldWindow::copyNtValue() {
    QGuiApplication::clipboard()->setText(m_ntValue->text());
    m_status->setText(fieldtext::copied(m_ntValue->text()));
}

void FieldWindow::addToProfiles() {
    const QString name = m_name->text().trimmed();
    const Status added = appendProfile(m_setup.profilePath, name, m_ntValue->text());
    m_status->setText(added ? fieldtext::profileAdded(name, m_ntValue->text(), m_setup.profilePath)
                            : added.error());
}

} // namespace zental
