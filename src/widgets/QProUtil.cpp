#include "QProUtil.h"

QProUtil* QProUtil::instance() {
    static QProUtil util;
    return &util;
}
