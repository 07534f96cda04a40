#pragma once

#include "CFieldListSerial.h"

#include <memory>
#include <string>
#include <vector>

// Common ground of the writers that lay records out as table rows (CSV, HTML). The item tree is kept
// whole; a row is an item with fields and no fields below it, carrying the fields of the items above it
// first (a message row names its conversation). Columns follow the rows' field names in the order they
// first come; a name that comes again in the same row (a contact's second phone number) gets a column
// of its own, headed "PhoneNumber2" as the XML writer names it.
class CRecordTableSerial : public CFieldListSerial {
public:
    CRecordTableSerial();
    ~CRecordTableSerial() override;

    bool BeginItem(const char* name, int index) override;
    bool EndItem() override;

protected:
    struct Node {
        std::string name;
        FieldList fields;
        std::vector<std::unique_ptr<Node>> children;
        bool HasFieldsBelow() const;
    };
    struct Row {
        std::vector<const CSerialField*> fields;
        std::vector<std::string> columns; // each field's column name, parallel to `fields`
    };
    struct Table {
        std::vector<std::string> columns;
        std::vector<Row> rows;
        // The row's value in `column`; empty when the row has none.
        std::string Value(const Row& row, const std::string& column) const;
    };

    FieldList* CurrentFields() override;
    const Node& Root() const { return m_root; }
    // The rows of `nodes` and everything below them, each carrying `above` first.
    static Table Rows(const std::vector<const Node*>& nodes, const std::vector<const CSerialField*>& above);

private:
    static void collect(const Node& node, std::vector<const CSerialField*> above, Table& table);

    Node m_root;
    std::vector<Node*> m_open;
};
