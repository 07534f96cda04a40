#include "CRecordTableSerial.h"

#include <algorithm>
#include <map>

CRecordTableSerial::CRecordTableSerial() = default;

CRecordTableSerial::~CRecordTableSerial() = default;

bool CRecordTableSerial::Node::HasFieldsBelow() const {
    return std::any_of(children.begin(), children.end(),
                       [](const auto& child) { return !child->fields.empty() || child->HasFieldsBelow(); });
}

std::string CRecordTableSerial::Table::Value(const Row& row, const std::string& column) const {
    for (std::size_t i = 0; i < row.columns.size(); ++i)
        if (row.columns[i] == column)
            return row.fields[i]->ValueText();
    return {};
}

bool CRecordTableSerial::BeginItem(const char* name, int) {
    if (!name)
        return false;
    Node* parent = m_open.empty() ? &m_root : m_open.back();
    parent->children.push_back(std::make_unique<Node>());
    parent->children.back()->name = name;
    m_open.push_back(parent->children.back().get());
    return true;
}

bool CRecordTableSerial::EndItem() {
    if (m_open.empty())
        return false;
    m_open.pop_back();
    return true;
}

CFieldListSerial::FieldList* CRecordTableSerial::CurrentFields() {
    return m_open.empty() ? nullptr : &m_open.back()->fields;
}

CRecordTableSerial::Table CRecordTableSerial::Rows(const std::vector<const Node*>& nodes,
                                                   const std::vector<const CSerialField*>& above) {
    Table table;
    for (const Node* node : nodes)
        collect(*node, above, table);
    return table;
}

void CRecordTableSerial::collect(const Node& node, std::vector<const CSerialField*> above, Table& table) {
    for (const CSerialField& field : node.fields)
        above.push_back(&field);
    if (node.HasFieldsBelow()) {
        for (const auto& child : node.children)
            collect(*child, above, table);
        return;
    }
    if (node.fields.empty())
        return;
    Row row;
    row.fields = std::move(above);
    std::map<std::string, int> seen;
    // A column first met in this row goes right after the row's previous one, so a second phone
    // number's columns sit beside the first's.
    std::size_t next = 0;
    for (const CSerialField* field : row.fields) {
        const int count = ++seen[field->Name()];
        std::string column = count == 1 ? field->Name() : field->Name() + std::to_string(count);
        auto at = std::find(table.columns.begin(), table.columns.end(), column);
        if (at == table.columns.end())
            at = table.columns.insert(table.columns.begin() + std::ptrdiff_t(next), column);
        next = std::size_t(at - table.columns.begin()) + 1;
        row.columns.push_back(std::move(column));
    }
    table.rows.push_back(std::move(row));
}
