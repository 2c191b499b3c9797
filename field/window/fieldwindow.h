// The window "ZENTAL Field": the NT value at a place or at coordinates, or from a measured proton
// frequency, recomputed as the user types; copied to the clipboard or added to the profiles.
#pragma once

#include "core/loadedlater.h"
#include "field/core/commandline.h"
#include "field/core/fieldmodels.h"
#include "field/core/fieldreport.h"
#include "field/core/gazetteer.h"

#include <QFuture>
#include <QWidget>

#include <functional>
#include <optional>

class QCompleter;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;

namespace zental {

class ValueLabel;

// What loads the gazetteer, given its path; the window shows its first frame without waiting.
using PlacesLoader = std::function<QFuture<Result<Gazetteer>>(const QString& path)>;

// Opens the gazetteer there and then (0.2 ms: it maps the file and reads its first line).
QFuture<Result<Gazetteer>> openPlaces(const QString& path);

struct FieldWindowSetup {
    Separators separators;
    QDate today;
    FieldFiles files;
    QString profilePath; // where "Add to Profiles" appends
    PlacesLoader loadPlaces = openPlaces;
};

class FieldWindow : public QWidget {
public:
    explicit FieldWindow(FieldWindowSetup setup, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the window shows for the inputs: the NT value, how it was found, the profile name it
    // suggests, and a note on what it was computed for.
    struct Outcome {
        double nanotesla = 0;
        QStringList details;
        QString profileName;
        QString note;
    };
    // What the user typed into the boxes a chosen place fills; it comes back when the place goes.
    struct Typed {
        QString latitude, longitude, height;
    };

    QLineEdit* addInput(const QString& name, const QString& caption, const QString& unit = {});
    void buildResult();
    void reserveRoom();
    void placesLoaded();
    void placeEdited(const QString& text);
    void listSuggestions(const QString& text);
    QString placesProblem(const QString& text) const;
    void placeChosen(const QModelIndex& index);
    void chooseFirstSuggestion();
    void choosePlace(const Place& place);
    void leavePlace();
    void coordinatesEdited();
    void heightEdited(const QString& text);
    void recompute();
    Result<Outcome> outcome() const;
    Result<Outcome> fieldOutcome() const;
    Result<Outcome> protonOutcome() const;
    void showOutcome(const Outcome& outcome);
    void showProblem(const QString& problem);
    void updateAddButton();
    void copyNtValue();
    void addToProfiles();

    FieldWindowSetup m_setup;
    LoadedLater<FieldModels> m_models;
    LoadedLater<Gazetteer> m_places;
    QList<Place> m_suggestions;
    std::optional<Site> m_chosen; // the place chosen from the list, while Place still names it
    Typed m_typed;
    bool m_loadingStarted = false;
    bool m_ownName = false; // the user has written the profile name: it is theirs to change

    QGridLayout* m_inputs = nullptr;
    QLineEdit* m_place = nullptr;
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_longitude = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_proton = nullptr;
    QLineEdit* m_name = nullptr;
    QStringListModel* m_suggestionList = nullptr;
    QCompleter* m_completer = nullptr;
    ValueLabel* m_ntValue = nullptr;
    QLabel* m_details = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_add = nullptr;
};

} // namespace zental
