#include "norm/reportdocument.h"
#include "norm/reporttextdocument.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

using namespace kapstat::norm;

namespace {

ReportDocument sample()
{
    ReportDocument report;
    report.setStyle(TextStyle::Bold);
    report.line(QStringLiteral("  NAGŁÓWEK"));
    report.setStyle(TextStyle::Regular);
    report.append(QStringLiteral("  a "));
    report.setStyle(TextStyle::Italic);
    report.append(QStringLiteral("b"));
    report.endLine();
    report.setStyle(TextStyle::Regular);
    report.line();
    report.line(QStringLiteral("  c   "));
    return report;
}

} // namespace

TEST(ReportTextDocumentTest, KeepsLinesSpacesAndStylesInAFixedPitchFont)
{
    const auto document = ReportTextDocument::create(sample());
    ASSERT_EQ(document->blockCount(), 4);
    EXPECT_EQ(document->toPlainText(), QStringLiteral("  NAGŁÓWEK\n  a b\n\n  c   "));
    EXPECT_TRUE(QFontInfo(document->defaultFont()).fixedPitch());
    struct Case
    {
        int block;
        int position; // within the block
        bool bold;
        bool italic;
    };
    const Case cases[] = {{0, 3, true, false}, {1, 1, false, false}, {1, 4, false, true}};
    for (const Case& c : cases) {
        const QTextBlock block = document->findBlockByNumber(c.block);
        bool found = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() - block.position() > c.position ||
                fragment.position() + fragment.length() - block.position() <= c.position)
                continue;
            found = true;
            EXPECT_EQ(fragment.charFormat().fontWeight() == QFont::Bold, c.bold) << c.block;
            EXPECT_EQ(fragment.charFormat().fontItalic(), c.italic) << c.block;
        }
        EXPECT_TRUE(found) << c.block << ":" << c.position;
    }
}
