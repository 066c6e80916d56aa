#pragma once
// Duplicate and paste of a grid graphic (a table, a page section, a
// navigation bar and every other grid kind): a copy that shares no cell and
// no picture with its source, put in front of everything. The copy keeps
// every table, cell and picture property; only a page section takes a new
// section number, and every picture a new name with its own original file.
#include <QString>
#include <cstdint>
#include <memory>

class InsertionFrame;
class SKTTable;

class TableDuplication {
public:
    explicit TableDuplication(InsertionFrame &frame) : m_frame(frame) {}

    // The copy, already on the page, as one undo step "Duplicate". y is where
    // a section goes when the edition pastes sections in page order (0:
    // over the source). Originals are copied from sourceFolder (the page
    // folder the source's pictures live in; empty for the current page's).
    std::shared_ptr<SKTTable> duplicateTable(SKTTable &source, int32_t y, const QString &sourceFolder = {});

private:
    InsertionFrame &m_frame;
};
