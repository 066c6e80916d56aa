#pragma once
// The section cells a page's graphics say they lie in, checked against the
// sections the page really holds after it is read. A page whose section rules
// were lost or spoilt (by hand, by a cut-short file) would otherwise leave
// graphics bound to a section or column that is not there, or to the wrong
// one: they could not be dragged out of it, and laying a section out again
// would pull them into a column they never were in.
#include <QList>
#include <memory>

class SKTGraphic;

namespace SectionMembership {

// Gives every section a number of its own (a section numbered like a free
// graphic, or like an earlier section, takes the next free number), and makes
// every graphic whose section, column or place does not hold it a free
// graphic where it lies. Positions never change. Answers how many graphics
// were set free.
int settle(const QList<std::shared_ptr<SKTGraphic>> &graphics);

}  // namespace SectionMembership
