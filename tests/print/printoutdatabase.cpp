#include "printoutdatabase.h"

#include <gtest/gtest.h>

namespace kapstat::fixtures {

using download::TableKind;

PrintoutDatabase::PrintoutDatabase()
{
    db.writeHeader();
    db.createTable(TableKind::Rms, {"Pav", "Qav", "Sav", "Umin"});
    const QList<int> wars{0, 0x44, 0x11};
    for (int i = 0; i < 10; ++i)
        db.append(TableKind::Rms, {{"Nr", i + 1},
                                   {"NrSt", 1},
                                   {"DiC", at(2026, 3, 1, 23, 10).addSecs(i * 600)},
                                   {"War", wars[i % 3]},
                                   {"Pav", i},
                                   {"Qav", 10 + i},
                                   {"Sav", 100 + i},
                                   {"Umin", 200 + i}});
    db.createTable(TableKind::Harm, {"UH5sr", "THDUsr"});
    for (int nr = 1; nr <= 3; ++nr)
        for (int phase = 1; phase <= 2; ++phase)
            db.append(TableKind::Harm, {{"Nr", nr},
                                        {"NrSt", 1},
                                        {"DiC", at(2026, 3, 1, 23, 10).addSecs(nr * 600 - 600)},
                                        {"War", 0x22},
                                        {"Faza", QStringLiteral("L%1").arg(phase)},
                                        {"UH5sr", nr + phase * 0.25}});
    db.createTable(TableKind::Zanik, {"PrzerwaL1", "Czas_PL1"});
    db.append(TableKind::Zanik,
              {{"Nr", 1}, {"NrSt", 1}, {"DiC", at(2026, 3, 1, 23, 30)}, {"Czas_PL1", 1500}});
    db.append(TableKind::Zanik,
              {{"Nr", 2}, {"NrSt", 1}, {"DiC", at(2026, 3, 2, 1, 0)}, {"Czas_PL1", 20}});
    db.closeTables();
    const auto problem = state.open(db.selectionFile());
    EXPECT_FALSE(problem) << problem.value_or(QString()).toStdString();
}

void PrintoutDatabase::choose(TableKind kind, std::initializer_list<const char*> columns)
{
    for (const char* column : columns)
        EXPECT_EQ(state.togglePrint(kind, 0, QString::fromLatin1(column)),
                  browse::ToggleOutcome::Added)
            << column;
}

} // namespace kapstat::fixtures
