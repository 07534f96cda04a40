#include "IBaseChunk.h"

void IBaseChunk::Reset() {
    m_id.clear();
    m_name.clear();
    m_owner = 0;
    m_checked = false;
}
