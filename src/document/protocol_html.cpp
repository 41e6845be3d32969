#include "document/protocol_html.h"

namespace zelmora {
namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Cell(const std::string& text) {
  return "<td>" + Escaped(text) + "</td>";
}

std::string TableRow(const ProtocolRow& row) {
  return "<tr>" + Cell(std::to_string(row.number)) + Cell(row.kindWord) + Cell(row.name) +
         Cell(row.how) + Cell(row.parentNames) +
         Cell(row.defined ? kProtocolDefined : kProtocolUndefined) + "</tr>\n";
}

constexpr const char* kStyle =
    "body { font-family: 'Liberation Sans', Arial, sans-serif; }\n"
    "table { border-collapse: collapse; }\n"
    "th, td { border: 1px solid #808080; padding: 2px 6px; text-align: left; }\n"
    "th { background: #b4c8ce; }\n";

}  // namespace

std::string ProtocolHtml(const std::vector<ProtocolRow>& rows, const std::string& title,
                         const std::string& pictureSource) {
  const std::string heading = "Протокол построения: " + Escaped(title);
  std::string page = "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>" + heading + "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n";
  page += "<h2>" + heading + "</h2>\n";
  page += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>";
  for (const char* column : kProtocolColumns) page += "<th>" + std::string(column) + "</th>";
  page += "</tr>\n";
  for (const ProtocolRow& row : rows) page += TableRow(row);
  page += "</table>\n";
  if (!pictureSource.empty()) {
    page += "<p><img src=\"" + Escaped(pictureSource) + "\" alt=\"Чертёж\"></p>\n";
  }
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace zelmora
