#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>

// Kills a program that is posting and deleting fee items, then checks the file it leaves behind.
//
// Each trial forks a child that opens data.mdb through Connection and Dataset and, until it is killed,
// appends and posts rows (and now and then deletes one), writing a line to the parent after each operation
// returns: "A <name>" for a posted row, "D <name>" for a deleted one. The parent kills it with SIGKILL at a
// random moment, then opens the file and checks the engine's integrity_check, that every acknowledged row
// is there exactly once, that no acknowledged deletion is, and that nothing else changed, except by the one
// post or deletion that may have been under way at the kill.
class KillTrials
{
public:
    struct Outcome
    {
        int posted = 0;       // rows acknowledged in this trial
        int deleted = 0;      // deletions acknowledged in this trial
        QStringList problems; // empty when the file holds exactly what was acknowledged
    };

    KillTrials(QString databasePath, std::uint64_t seed);

    // One trial; the child lives up to maxLifeMs after it has opened the list.
    Outcome run(int maxLifeMs);

private:
    QStringList check();

    QString m_path;
    std::mt19937_64 m_random;
    int m_trial = 0;
    QMap<QString, bool> m_acknowledged; // name -> still present (false once its deletion was acknowledged)
};
