#include "listing_view.h"

#include "qt_text.h"

#include "common/fields.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QStringList>

namespace velmora {

void setUpListing(QPlainTextEdit& listing)
{
    QFont face = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    face.setPointSize(listing.font().pointSize());
    listing.setFont(face);
}

QString listingText(std::string_view listing)
{
    QStringList rows;
    for (const std::string& line : splitLines(listing))
        rows.append(fromWindows1252(line));
    return rows.join(QLatin1Char('\n'));
}

void showListing(QPlainTextEdit& box, std::string_view listing)
{
    box.setPlainText(listingText(listing));
}

}  // namespace velmora
