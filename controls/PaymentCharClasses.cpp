#include "controls/PaymentCharClasses.h"

#include "helpers/SepaCharSet.h"

namespace {

CharSet digits() {
    return CharSet::range('0', '9');
}

CharSet letters() {
    return CharSet::range('A', 'Z').addRange('a', 'z');
}

int index(char cls) {
    return cls - PaymentCharClasses::kFirstClass;
}

} // namespace

CharSet PaymentCharClasses::textSet() {
    return CharSet::of(GermanLetters()) | SepaCharSet();
}

CharSet PaymentCharClasses::codeSet() {
    return digits().addRange('A', 'Z');
}

CharSet PaymentCharClasses::dateSet() {
    return CharSet::of(".") | digits();
}

CharSet PaymentCharClasses::amountSet() {
    return CharSet::of(",.") | digits();
}

CharSet PaymentCharClasses::identifierSet() {
    return CharSet::of("+-./:?") | digits() | letters();
}

CharSet PaymentCharClasses::pathSet(bool slashInPaths) {
    CharSet set = CharSet::of(" -.:\\_") | digits() | letters();
    return slashInPaths ? set.add('/') : set;
}

CharSet PaymentCharClasses::fileNameSet(bool slashInPaths) {
    CharSet set = CharSet::of("*.:?\\_") | digits() | letters();
    return slashInPaths ? set.add('/') : set;
}

PaymentCharClasses::PaymentCharClasses(bool slashInPaths) {
    m_tables[index('1')].setCharSet('1', textSet());
    m_tables[index('2')].setCharSet('2', codeSet());
    m_tables[index('2')].setCaseRule('2', CaseRule::Upper);
    m_tables[index('3')].setCharSet('3', dateSet());
    m_tables[index('4')].setCharSet('4', amountSet());
    m_tables[index('5')].setCharSet('5', identifierSet());
    m_tables[index('6')].setCharSet('6', pathSet(slashInPaths));
    m_tables[index('7')].setCharSet('7', fileNameSet(slashInPaths));
}

const CharClassTable& PaymentCharClasses::table(char cls) const {
    if (cls < kFirstClass || cls > kLastClass)
        return CharClassTable::defaultTable();
    return m_tables[index(cls)];
}

const CharClassTable* PaymentCharClasses::tableForMask(char mask) const {
    if (mask < kFirstClass || mask > kLastClass || mask == kUnboundClass)
        return nullptr;
    return &m_tables[index(mask)];
}
