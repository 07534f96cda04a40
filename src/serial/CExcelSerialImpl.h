#pragma once

#include "CFieldListSerial.h"

#include <memory>
#include <string>
#include <vector>

namespace xlsFile {
class XLSSheet;
}

// Writes the item tree as a spreadsheet: each item with fields is a value row, indented by half its
// depth, under a bold header row when it is the first child of its parent.
class CExcelSerialImpl : public CFieldListSerial {
public:
    CExcelSerialImpl();
    ~CExcelSerialImpl() override;

    bool BeginItem(const char* name, int index) override;
    bool EndItem() override;

    // path is UTF-8. The spreadsheet library's failures are not reported.
    bool SaveFile(const char* path);

protected:
    FieldList* CurrentFields() override;

private:
    struct Node {
        int sequence = 0;
        std::string name;
        FieldList fields;
        std::vector<std::unique_ptr<Node>> children;
    };

    void visit(const Node& node, xlsFile::XLSSheet& sheet);
    void writeRow(const Node& node, xlsFile::XLSSheet& sheet, bool header);

    Node m_root;
    std::vector<Node*> m_open;
    unsigned m_row = 0;
    unsigned m_depth = 0;
};
