#pragma once
// How the listing box shows the program file.

#include <QString>

#include <string_view>

class QPlainTextEdit;

namespace velmora {

// A fixed-width face, so the words of a program line stand in columns.
void setUpListing(QPlainTextEdit& listing);

// The listing's text, one program line per row. The box would turn the
// carriage return left before the dropped line feed into an empty last row; the
// lines are cut where the download cuts them (CR LF, LF or a lone CR), so the
// operator reads exactly the lines the machine will receive.
QString listingText(std::string_view listing);

void showListing(QPlainTextEdit& box, std::string_view listing);

}  // namespace velmora
