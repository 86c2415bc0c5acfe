#include "fields.h"

namespace velmora {

bool FieldReader::atLineEnd() const
{
    return pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n';
}

void FieldReader::skipLineEnd()
{
    if (pos_ < text_.size() && text_[pos_] == '\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n')
        ++pos_;
}

std::string FieldReader::next()
{
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;

    std::string field;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        ++pos_;
        while (!atLineEnd() && text_[pos_] != '"')
            field += text_[pos_++];
        while (!atLineEnd() && text_[pos_] != ',')
            ++pos_;
    } else {
        while (!atLineEnd() && text_[pos_] != ',')
            field += text_[pos_++];
    }
    if (pos_ < text_.size() && text_[pos_] == ',')
        ++pos_;
    else
        skipLineEnd();
    return field;
}

std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    forEachLine(bytes, [&](LineSpan line) { lines.emplace_back(bytes.substr(line.begin, line.length)); });
    return lines;
}

}  // namespace velmora
