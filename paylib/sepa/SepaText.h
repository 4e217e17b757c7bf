#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace paylib {

// Texts of a SEPA file. Every name and remittance text of a file keeps to one character set:
// the EPC basic set (letters, digits, blank and / - ? : ( ) . , ' +) with the characters
// German banks accept beyond it, Ä Ö Ü ä ö ü ß & * $ %, escaped as XML requires. Other Latin
// letters are transliterated (é -> e, Æ -> AE, Þ -> TH); any other character is refused.
class SepaText {
public:
    static constexpr std::size_t kMaxName = 70;
    static constexpr std::size_t kMaxRemittance = 140;

    // The text (Windows-1252) in the file's character set, still Windows-1252, appended to
    // `sepa`; false when a character has no place in it.
    static bool appendSepa(std::string_view text, std::string& sepa);
    static bool toSepa(std::string_view text, std::string& sepa);

    // Outcome of fitting a text into its field.
    enum class Fit { Fits, Cut, Refused };

    // Trimmed, in the character set, cut to `limit` characters (Cut says so). Refused when
    // empty (`required`) or holding a character outside the set.
    static Fit fit(std::string_view text, std::size_t limit, bool required, std::string& out);

    // An identifier (message id, references, mandate reference): 1 to 35 characters of the
    // basic set, not starting or ending with "/" and without "//"; blanks only if allowed.
    static bool isIdentifier(std::string_view text, bool blanksAllowed);

    // Windows-1252 text as UTF-8 with the XML markup characters escaped, appended to `out`.
    static void appendXml(std::string_view text, std::string& out);
    static std::string xml(std::string_view text);
};

} // namespace paylib
