#pragma once

#include <QObject>
#include <QString>

class TZoStringStorage;

/// Non-visual holder of the messages several windows share, fetched by 0-based position.
/// Start-up creates the one instance (KeloMessageModule); code that runs without it (tests)
/// gets the same texts through KeloSharedMessage.
class TKeloMessageModule : public QObject {
    Q_OBJECT
public:
    enum Position {
        // Question with Yes and No: add the missing data for the inversion of a kelo?
        NotEnoughDataQuestion = 1,
        // Notice: a distance is missing, the database regulation has to be run first.
        RegulationNotice = 3,
    };

    explicit TKeloMessageModule(QObject* owner = nullptr);
    ~TKeloMessageModule() override;

    QString Message(int position) const;

    TZoStringStorage* ZoStringStorage = nullptr;
};

/// The message module of the running program, or null before start-up has created it.
extern TKeloMessageModule* KeloMessageModule;

/// The shared message at `position`, from KeloMessageModule or, without one, from the same
/// table held privately.
QString KeloSharedMessage(int position);
