#include "CHtmlSerialImpl.h"

#include <algorithm>
#include <fstream>
#include <string_view>

namespace {

constexpr std::string_view kStyle =
    "body{font-family:sans-serif;margin:1.5em}"
    "table{border-collapse:collapse;margin:0.5em 0 1.5em}"
    "th,td{border:1px solid #bbb;padding:0.25em 0.5em;text-align:left;vertical-align:top}"
    "th{background:#eee}"
    "td{white-space:pre-wrap}";

void Escape(std::string_view text, std::string& page) {
    for (char c : text) {
        switch (c) {
        case '&':
            page += "&amp;";
            break;
        case '<':
            page += "&lt;";
            break;
        case '>':
            page += "&gt;";
            break;
        case '"':
            page += "&quot;";
            break;
        case '\'':
            page += "&#39;";
            break;
        default:
            page += c;
        }
    }
}

// The heading of an item that holds records: its first value, the others in brackets
// ("Anna Berg (+49 30 1234)").
std::string Heading(const CFieldListSerial::FieldList& fields) {
    std::string first;
    std::string rest;
    for (const CSerialField& field : fields) {
        const std::string value = field.ValueText();
        if (value.empty())
            continue;
        if (first.empty())
            first = value;
        else
            rest += (rest.empty() ? "" : ", ") + value;
    }
    return rest.empty() ? first : first + " (" + rest + ")";
}

} // namespace

bool CHtmlSerialImpl::SaveFile(const char* path) const {
    if (!path)
        return false;
    // The category item names the page.
    const auto& top = Root().children;
    const std::string title = top.size() == 1 && top.front()->fields.empty() ? top.front()->name : "Export";
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    Escape(title, page);
    page += "</title>\n<style>";
    page += kStyle;
    page += "</style>\n</head>\n<body>\n<h1>";
    Escape(title, page);
    page += "</h1>\n";
    if (top.size() == 1 && top.front()->fields.empty())
        writeChildren(*top.front(), 2, page);
    else
        writeChildren(Root(), 2, page);
    page += "</body>\n</html>\n";

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(page.data(), std::streamsize(page.size()));
    out.close();
    return !out.fail();
}

void CHtmlSerialImpl::writeChildren(const Node& node, int level, std::string& page) const {
    std::vector<const Node*> run;
    const auto flush = [&run, &page] {
        if (!run.empty())
            writeTable(Rows(run, {}), page);
        run.clear();
    };
    for (const auto& child : node.children) {
        // An item with items below it holds records (a conversation its messages, none or many).
        if (!child->fields.empty() && child->children.empty()) {
            run.push_back(child.get());
            continue;
        }
        flush();
        if (child->fields.empty()) {
            // A wrapper without values of its own ("Contexts"): its records follow at the same level.
            writeChildren(*child, level, page);
            continue;
        }
        const std::string tag = "h" + std::to_string(std::min(level, 6));
        page += "<section>\n<" + tag + ">";
        Escape(Heading(child->fields), page);
        page += "</" + tag + ">\n";
        writeChildren(*child, level + 1, page);
        page += "</section>\n";
    }
    flush();
}

void CHtmlSerialImpl::writeTable(const Table& table, std::string& page) {
    page += "<table>\n<thead><tr>";
    for (const std::string& column : table.columns) {
        page += "<th>";
        Escape(column, page);
        page += "</th>";
    }
    page += "</tr></thead>\n<tbody>\n";
    for (const Row& row : table.rows) {
        page += "<tr>";
        for (const std::string& column : table.columns) {
            page += "<td>";
            Escape(table.Value(row, column), page);
            page += "</td>";
        }
        page += "</tr>\n";
    }
    page += "</tbody>\n</table>\n";
}
