// The window "ZENTAL Field": the NT value at a place or at coordinates, or from a measured proton
// frequency, recomputed as the user types; copied to the clipboard or added to the profiles.
#pragma once

#include "field/core/commandline.h"
#include "field/core/fieldreport.h"
#include "field/core/gazetteer.h"
#include "field/core/magneticmodel.h"

#include <QFuture>
#include <QFutureWatcher>
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

// Opens the gazetteer on a worker thread.
QFuture<Result<Gazetteer>> loadPlacesInBackground(const QString& path);

struct FieldWindowSetup {
    Separators separators;
    QDate today;
    FieldFiles files;
    QString profilePath; // where "Add to Profiles" appends
    PlacesLoader loadPlaces = loadPlacesInBackground;
};

class FieldWindow : public QWidget {
public:
    explicit FieldWindow(FieldWindowSetup setup, QWidget* parent = nullptr);

private:
    QLineEdit* addInput(const QString& name, const QString& caption, const QString& unit = {});
    void buildResult();
    void placesLoaded();
    void placeEdited(const QString& text);
    QString placesProblem(const QString& text) const;
    void placeChosen(const QModelIndex& index);
    void coordinatesEdited();
    void usePlace(const Place& place);
    void recompute();
    Result<FieldReport> fieldReport() const;
    void showNtValue(double nanotesla, const QStringList& details);
    void showProblem(const QString& problem);
    void copyNtValue();
    void addToProfiles();

    FieldWindowSetup m_setup;
    Result<FieldModels> m_model;
    std::optional<Result<Gazetteer>> m_places; // nothing while they load
    QFutureWatcher<Result<Gazetteer>> m_loading;
    QList<Place> m_suggestions;
    std::optional<Site> m_chosen; // the place the coordinates came from, until they are edited
    QString m_profileName;

    QGridLayout* m_inputs = nullptr;
    QLineEdit* m_place = nullptr;
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_longitude = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_proton = nullptr;
    QStringListModel* m_suggestionList = nullptr;
    QCompleter* m_completer = nullptr;
    ValueLabel* m_ntValue = nullptr;
    QLabel* m_details = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_add = nullptr;
};

} // namespace zental
