#pragma once

class QTableView;

// The look the tables of backups share: whole rows chosen one at a time, the columns at their widths
// with the last one stretching, and every cell on one line; a long path is cut in its middle, so both
// the start and the backup's own folder stay in sight (the full text is the cell's tooltip).
class CBackupTableLook {
public:
    static void Apply(QTableView* view);
};
