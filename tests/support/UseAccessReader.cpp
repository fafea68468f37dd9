// Test programs run from the build's tests folder; the reading child is built into the program
// folder. Linked into every suite that loads an Access catalogue.
#include "catalogue/AccessReader.h"

namespace {

const bool readerSet = [] {
    vw::setAccessReaderProgram(QStringLiteral(VW_ACCESS_READER));
    return true;
}();

} // namespace
