// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The exact win probabilities: the fractions are probabilities in lowest terms and agree
// with a game played out draw by draw over every outcome, and the README shows the table
// that the tool computes.

#include "theorie.h"

#include <QFile>
#include <QTest>

#include <map>
#include <numeric>
#include <tuple>
#include <vector>

namespace {

// Every outcome of a game weighed exactly, following the drawing rules step by step:
// the car's door and the first pick uniform over all doors; the host opening a closed
// door that is neither held nor the car's, each equally likely; "neue Tür wählen"
// taking any other closed door, each equally likely; "Umwahl zufällig" keeping the
// door on a coin's head and otherwise drawing among all closed doors, the held one
// included. Shares no reasoning with exactWinFraction.
class DrawByDraw {
public:
    DrawByDraw(int doorCount, std::vector<Strategy> decisions)
        : m_doors(doorCount), m_decisions(std::move(decisions)) {}

    Fraction winProbability()
    {
        Fraction total;
        for (int car = 0; car < m_doors; ++car) {
            for (int pick = 0; pick < m_doors; ++pick)
                total = total + fraction(1, m_doors * m_doors) * hostOpens(0, pick, car, 0);
        }
        return total;
    }

private:
    bool isClosed(unsigned opened, int door) const { return !(opened & (1u << door)); }

    // The host opens a door, then decision `decision` follows.
    Fraction hostOpens(unsigned opened, int held, int car, int decision)
    {
        std::vector<int> choices;
        for (int door = 0; door < m_doors; ++door) {
            if (isClosed(opened, door) && door != held && door != car)
                choices.push_back(door);
        }
        Fraction total;
        for (int door : choices) {
            total = total + fraction(1, std::int64_t(choices.size()))
                                * decide(opened | (1u << door), held, car, decision);
        }
        return total;
    }

    Fraction decide(unsigned opened, int held, int car, int decision)
    {
        const auto key = std::make_tuple(opened, held, car, decision);
        if (const auto found = m_memo.find(key); found != m_memo.end())
            return found->second;
        std::vector<int> closed;
        for (int door = 0; door < m_doors; ++door) {
            if (isClosed(opened, door))
                closed.push_back(door);
        }
        const auto count = std::int64_t(closed.size());
        Fraction total;
        switch (m_decisions[std::size_t(decision)]) {
        case Strategy::Keep: total = next(opened, held, car, decision); break;
        case Strategy::NewDoor:
            for (int door : closed) {
                if (door != held)
                    total = total + fraction(1, count - 1) * next(opened, door, car, decision);
            }
            break;
        case Strategy::RandomRechoice:
            total = fraction(1, 2) * next(opened, held, car, decision);
            for (int door : closed)
                total = total + fraction(1, 2 * count) * next(opened, door, car, decision);
            break;
        }
        m_memo.emplace(key, total);
        return total;
    }

    // After decision `decision`: the last one decides the game, any other is followed
    // by the host opening one more door.
    Fraction next(unsigned opened, int held, int car, int decision)
    {
        if (decision + 1 == int(m_decisions.size()))
            return held == car ? Fraction{1, 1} : Fraction{0, 1};
        return hostOpens(opened, held, car, decision + 1);
    }

    int m_doors;
    std::vector<Strategy> m_decisions;
    std::map<std::tuple<unsigned, int, int, int>, Fraction> m_memo;
};

QString readmeTable()
{
    QFile readme(QStringLiteral(WULPE_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly))
        return QStringLiteral("(README.md not found)");
    const QString text = QString::fromUtf8(readme.readAll());
    const QString begin = QStringLiteral("<!-- exact win probabilities: begin -->\n");
    const QString end = QStringLiteral("<!-- exact win probabilities: end -->");
    const qsizetype from = text.indexOf(begin);
    const qsizetype to = text.indexOf(end);
    if (from < 0 || to < from)
        return QStringLiteral("(no table between the markers)");
    return text.mid(from + begin.size(), to - from - begin.size());
}

} // namespace

class TheorieTest : public QObject {
    Q_OBJECT

private slots:
    void fractionsAreProbabilitiesInLowestTerms();
    void fractionsAgreeWithEveryOutcomeDrawByDraw();
    void pureStrategiesHaveTheirKnownValues();
    void probabilitiesAreWrittenAsFractionsAndPercentages();
    void readmeShowsTheComputedTable();
};

void TheorieTest::fractionsAreProbabilitiesInLowestTerms()
{
    for (int n = 3; n <= 7; ++n) {
        for (const auto& decisions : allCombinations(n)) {
            const Fraction p = exactWinFraction(n, decisions);
            QVERIFY(p.denominator > 0 && p.numerator >= 0 && p.numerator <= p.denominator);
            QCOMPARE(std::gcd(p.numerator, p.denominator), std::int64_t(1));
        }
    }
}

void TheorieTest::fractionsAgreeWithEveryOutcomeDrawByDraw()
{
    int combinations = 0;
    for (int n = 3; n <= 7; ++n) {
        for (const auto& decisions : allCombinations(n)) {
            QCOMPARE(exactWinFraction(n, decisions), DrawByDraw(n, decisions).winProbability());
            ++combinations;
        }
    }
    QCOMPARE(combinations, 3 + 9 + 27 + 81 + 243);
}

void TheorieTest::pureStrategiesHaveTheirKnownValues()
{
    auto exact = [](PureStrategy s, int n) { return exactWinFraction(n, decisionsOf(s, n)); };
    for (int n = 3; n <= 7; ++n) {
        // Keeping wins when the first pick was right; changing only at the end wins
        // unless it was.
        QCOMPARE(exact(PureStrategy::Keep, n), fraction(1, n));
        QCOMPARE(exact(PureStrategy::KeepThenChange, n), fraction(n - 1, n));
        QCOMPARE(decisionsOf(PureStrategy::KeepThenChange, n).back(), Strategy::NewDoor);
        // ... and no way to play the decisions wins more often.
        for (const auto& decisions : allCombinations(n))
            QVERIFY(exactWinFraction(n, decisions).value() <= exact(PureStrategy::KeepThenChange, n).value());
    }
    QCOMPARE(exact(PureStrategy::NewDoor, 3), fraction(2, 3));
    // With three doors the held door stays with 1/2 + 1/4 = 3/4: 3/4 * 1/3 + 1/4 * 2/3.
    QCOMPARE(exact(PureStrategy::RandomRechoice, 3), fraction(5, 12));
    QCOMPARE(exact(PureStrategy::NewDoor, 4), fraction(5, 8));
}

void TheorieTest::probabilitiesAreWrittenAsFractionsAndPercentages()
{
    QCOMPARE(describe(fraction(2, 3)), std::string("2/3 \u2248 66.67 %"));
    QCOMPARE(describe(fraction(1, 4)), std::string("1/4 = 25.00 %"));
    QCOMPARE(describe(fraction(31, 80)), std::string("31/80 = 38.75 %"));
    QCOMPARE(describe(fraction(1, 7)), std::string("1/7 \u2248 14.29 %"));
    QCOMPARE(fraction(6, 8), (Fraction{3, 4}));
}

void TheorieTest::readmeShowsTheComputedTable()
{
    const QString computed = QString::fromStdString(winProbabilityTable());
    QCOMPARE(computed.count(u'\n'), 7);
    QVERIFY2(readmeTable() == computed,
             "README.md's table differs from the computed one; paste the output of "
             "build/wahrscheinlichkeiten between its markers");
}

QTEST_MAIN(TheorieTest)
#include "test_theorie.moc"
