#include "graphdoc/model/DrawMeasObj.h"

FW_IMPLEMENT_SERIAL(CDrawMeasObj, CDrawObj, 0)

CDrawMeasObj& CDrawMeasObj::Assign(const CDrawMeasObj& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}
