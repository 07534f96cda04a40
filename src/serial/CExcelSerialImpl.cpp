#include "CExcelSerialImpl.h"

#include "XLSFile.h"
#include "XLSSheet.h"

CExcelSerialImpl::CExcelSerialImpl() = default;

CExcelSerialImpl::~CExcelSerialImpl() = default;

bool CExcelSerialImpl::BeginItem(const char* name, int index) {
    if (!name) {
        return false;
    }
    Node* parent = m_open.empty() ? &m_root : m_open.back();
    auto node = std::make_unique<Node>();
    node->name = name;
    Node* added = node.get();
    auto& siblings = parent->children;
    if (index >= 0 && static_cast<std::size_t>(index) < siblings.size()) {
        node->sequence = index;
        siblings.insert(siblings.begin() + index, std::move(node));
    } else {
        node->sequence = static_cast<int>(siblings.size());
        siblings.push_back(std::move(node));
    }
    m_open.push_back(added);
    return true;
}

bool CExcelSerialImpl::EndItem() {
    if (m_open.empty()) {
        return false;
    }
    m_open.pop_back();
    return true;
}

CFieldListSerial::FieldList* CExcelSerialImpl::CurrentFields() {
    return m_open.empty() ? nullptr : &m_open.back()->fields;
}

bool CExcelSerialImpl::SaveFile(const char* path) {
    if (!path) {
        return false;
    }
    xlsFile::XLSFile workbook(path);
    xlsFile::XLSSheet sheet = workbook.newSheet("Sheet1");
    m_row = 0;
    m_depth = 0;
    visit(m_root, sheet);
    return workbook.save() == xlsFile::XLSResult::Ok;
}

void CExcelSerialImpl::visit(const Node& node, xlsFile::XLSSheet& sheet) {
    if (!node.fields.empty()) {
        if (node.sequence == 0) {
            writeRow(node, sheet, true);
        }
        writeRow(node, sheet, false);
    }
    ++m_depth;
    for (const auto& child : node.children) {
        visit(*child, sheet);
    }
    --m_depth;
}

void CExcelSerialImpl::writeRow(const Node& node, xlsFile::XLSSheet& sheet, bool header) {
    unsigned column = m_depth / 2;
    for (const CSerialField& field : node.fields) {
        // UTF-8 is the system code page here, so text goes into the cell unconverted.
        sheet.setText(m_row, column, header ? field.Name() : field.ValueText());
        if (header) {
            sheet.setFontBold(m_row, column, xlsFile::kBold);
        }
        ++column;
    }
    ++m_row;
}
