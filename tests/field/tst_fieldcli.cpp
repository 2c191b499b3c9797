// zental-field's command line, run as a process the way a script runs it, and both programs
// started where there is no display.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_FieldCli : public QObject {
    Q_OBJECT
    struct Run {
        int exitCode;
        QString out, err;
        QStringList written; // what it left in its working folder
    };
    // Runs zental-field in a fresh folder, Windows' CR LF read as LF. "DISPLAY=name program" in
    // front starts it as a desktop would: DISPLAY set to name (empty: not set), no other platform.
    static Run run(QStringList arguments) {
        QProcess process;
        QString program = QStringLiteral(ZENTAL_FIELD_PATH);
        if (arguments.value(0).startsWith(u"DISPLAY=")) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const QString& name : {u"QT_QPA_PLATFORM"_s, u"WAYLAND_DISPLAY"_s, u"DISPLAY"_s})
                environment.remove(name);
            if (const QString display = arguments.takeFirst().mid(8); !display.isEmpty())
                environment.insert(u"DISPLAY"_s, display);
            process.setProcessEnvironment(environment);
            if (arguments.takeFirst() == u"zental")
                program = QStringLiteral(ZENTAL_PATH);
        }
        QTemporaryDir folder;
        process.setWorkingDirectory(folder.path());
        process.start(program, arguments);
        if (!process.waitForFinished(-1))
            return {-1, {}, u"did not finish"_s, {}};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput().replace("\r\n", "\n")),
                QString::fromUtf8(process.readAllStandardError().replace("\r\n", "\n")),
                QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)};
    }
    // The value of a line "Caption: value ..." of the full report.
    static QString fact(const QString& report, const QString& caption) {
        const QRegularExpression line(u"(?m)^"_s + caption + u": ([^ \\n]+)"_s);
        return line.match(report).captured(1);
    }

    static void row(const char* name, const QString& arguments, int exitCode, const QString& text) {
        QTest::newRow(name) << arguments.split(u' ', Qt::SkipEmptyParts) << exitCode << text;
    }

private slots:
    // Each run: its exit code and a pattern its whole output matches, or, when it fails, one that
    // the one line it prints on stderr contains (with nothing on stdout). None leaves a file.
    void runs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        const QString nt = u"\\d{5}\\.\\d\\n"_s;
        row("--nt coordinates", u"--nt 39.7392 -104.9847"_s, 0, nt);
        row("options after a negative latitude", u"-33.9 18.4 --nt --height -20"_s, 0, nt);
        row("Paris, US is in Texas", u"Paris, US"_s, 0,
            u"(?s)Place: Paris, TX, United States\\n.*"_s);
        row("proton frequency of 1 H", u"--nt --proton 2047.80851063830"_s, 0, u"48123\\.5\\n"_s);
        row("help", u"--help"_s, 0,
            u"(?s)Usage: .*--proton.*\n  WMMHR-2025 +2025-01-01 to 2029-12-31\n.*"
            "\n  IGRF-14 +1900-01-01 to 2029-12-31\n"_s);
        const QString field = u"(?s).*\nModel: %1\n.*\nUncertainty of F: %2\n.*"_s;
        row("IGRF-14 up to 2024", u"--date 2024-12-31 1 2"_s, 0,
            field.arg(u"IGRF-14"_s, u"none published for IGRF-14"_s));
        row("WMMHR-2025 from 2025", u"--date 2025-01-01 1 2"_s, 0,
            field.arg(u"WMMHR-2025"_s, u"± 134 nT, ± 5\\.7 Hz \\(1σ, NOAA\\)"_s));
        row("--model wmm-2025", u"--model wmm-2025 --date 2029-12-31 1 2"_s, 0,
            field.arg(u"WMM-2025"_s, u"± 138 nT, ± 5\\.9 Hz \\(1σ, NOAA\\)"_s));
        row("WMM2025 before its span", u"--model WMM2025 --date 2024-06-01 1 2"_s, 1,
            u"\\AThe date lies outside WMM-2025, which covers 2025-01-01 to 2029-12-31\\.$"_s);
        for (const char* date : {"1899-12-31", "2030-01-01"})
            row(date, u"--date %1 1 2"_s.arg(QLatin1StringView(date)), 1,
                u"\\AThe date lies outside the models, which cover 1900-01-01 to 2029-12-31\\.$"_s);
        row("unknown model", u"--model WMM2020 1 2"_s, 1,
            u"\\ANo model is called \"WMM2020\"; the models are WMMHR-2025, WMM-2025, IGRF-14\\.$"_s);
        row("unknown option", u"--bogus 1 2"_s, 2, u"bogus"_s);
        row("longitude -181", u"0 -181"_s, 1, u"longitude"_s);
        row("height abc", u"--height abc 1 2"_s, 1, u"abc"_s);
        row("version", u"--version"_s, 0, u"zental-field \\d+\\.\\d+\\.\\d+\\n"_s);
        row("no 30 February", u"--date 2026-02-30 1 2"_s, 1,
            u"\\ADate: 2026-02-30 is not a date\\.$"_s);
        row("decimal commas", u"--nt 47,37 8,55"_s, 1, u"with \"\\.\" as the decimal separator"_s);
        row("height with a comma", u"--height 4,5 1 2"_s, 1, u"Height: \"4,5\" .* \"\\.\""_s);
        row("proton beyond the NT box", u"--proton 894468085106"_s, 1, u"the 7 characters"_s);
        row("unknown place", u"Xqzzyville"_s, 1, u"Xqzzyville"_s);
        row("proton not a number", u"--proton abc"_s, 1, u"abc"_s);
        row("proton zero", u"--proton 0"_s, 1, u"positive"_s);
        row("proton and a place", u"--proton 2000 Paris"_s, 1, u"Paris"_s);
        row("nothing to compute", u"--nt"_s, 1, u"place"_s);
        for (const QString& program : {u"zental"_s, u"zental-field"_s}) {
            row(qPrintable(program + u", DISPLAY not set"_s), u"DISPLAY= "_s + program, 1,
                u"\\Ano display: DISPLAY is not set\\. "_s);
            // No X server can be behind a display name that is not one.
            row(qPrintable(program + u", display not reachable"_s), u"DISPLAY=:none "_s + program,
                1, u"\\Ano display: the display \":none\" cannot be reached\\. "_s);
        }
    }
    void runs() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        if (QSysInfo::productType() == u"windows" && arguments.value(0).startsWith(u"DISPLAY="))
            QSKIP("Windows has no display to miss: the program would open its window and stay");
        const Run result = run(arguments);
        const bool succeeds = exitCode == 0;
        const QRegularExpression whole(succeeds ? u"\\A(?:"_s + text + u")\\z"_s
                                                : u"\\A[^\\n]*"_s + text + u"[^\\n]*\\n\\z"_s);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(succeeds ? result.err : result.out, QString());
        QVERIFY2(whole.match(succeeds ? result.out : result.err).hasMatch(),
                 qPrintable(result.out + result.err));
        QCOMPARE(result.written, QStringList());
    }

    // The name people use finds the place they mean, and the place's own coordinates and height
    // give its NT value.
    void placeEqualsItsCoordinates_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("place");
        QTest::newRow("Denver") << u"Denver"_s << u"Denver, CO, United States"_s;
        QTest::newRow("Denver, Colorado")
            << u"Denver, Colorado"_s << u"Denver, CO, United States"_s;
        QTest::newRow("Geneva") << u"Geneva"_s << u"Genève, Switzerland"_s;
        QTest::newRow("Cologne") << u"Cologne"_s << u"Köln, Germany"_s;
        QTest::newRow("Wien") << u"Wien"_s << u"Vienna, Austria"_s;
        QTest::newRow("Washington") << u"Washington"_s << u"Washington, D.C., DC, United States"_s;
        QTest::newRow("Paris") << u"Paris"_s << u"Paris, France"_s;
    }
    void placeEqualsItsCoordinates() {
        QFETCH(QString, name);
        QFETCH(QString, place);
        const QStringList date{u"--date"_s, u"2026-01-01"_s};
        const Run full = run(date + QStringList{name});
        QVERIFY2(full.out.startsWith(u"Place: "_s + place + u'\n'),
                 qPrintable(full.out + full.err));
        const Run atCoordinates =
            run(date + QStringList{u"--nt"_s, u"--height"_s, fact(full.out, u"Height"_s),
                                   fact(full.out, u"Latitude"_s), fact(full.out, u"Longitude"_s)});
        QCOMPARE(atCoordinates.out, run(date + QStringList{u"--nt"_s, name}).out);
        QCOMPARE(atCoordinates.out.trimmed(), fact(full.out, u"NT value"_s));
    }
};

QTEST_GUILESS_MAIN(tst_FieldCli)
#include "tst_fieldcli.moc"
