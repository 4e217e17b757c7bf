#pragma once

#include <string_view>

namespace paylib::iban {

class IbanRule;

// The rule units by rule number, with the newest version of each that the library knows.
class IbanRuleRegistry {
public:
    enum class Match {
        Known,        // the rule in the version the bank carries
        NewerVersion, // a later version than the library knows: the newest known one applies
        UnknownRule,  // a rule number the library does not know: the standard rule applies
    };
    struct Found {
        const IbanRule* rule;
        int version;
        Match match;
    };

    static constexpr int kHighestRuleNumber = 57;

    // `ruleField` is the six-digit field of the bank code file (rule number and version);
    // an empty field is the standard rule.
    static Found find(std::string_view ruleField);

    // Newest version known of a rule number, or -1.
    static int newestVersion(int number);
};

} // namespace paylib::iban
