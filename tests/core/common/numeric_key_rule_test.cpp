#include <gtest/gtest.h>

#include "core/common/numeric_key_rule.h"

TEST(NumericKeyRule, AcceptAndRefuseTable) {
    struct TCase {
        const char* Text;
        bool Selected;
        char16_t Key;
        bool Accepted;
    };
    const TCase cases[] = {
        {"", false, u'5', true},     {"12", false, u'3', true},   {"12", false, u'.', true},
        {"1.5", false, u'2', true},  {"", false, u'.', false},    {"1.5", false, u'.', false},
        {"12", true, u'.', false},   {"12", true, u'7', true},    {"", false, u'\b', true},
        {"1.", false, u'\b', true},  {"", false, u'-', false},    {"1", false, u'e', false},
        {"1", false, u' ', false},   {"1", false, u'a', false},   {"1", false, u'\x16', false},
        {"1", false, u'\r', false},  {"1", false, u'\uff11', false},
        // The key is appended at the end wherever the caret stands: "1.5"
        // plus "." fails even when the caret is before the point.
        {".5", false, u'1', false},  {"abc", false, u'1', false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(NumericKeyAccepted(QString::fromUtf8(c.Text), c.Selected, QChar(c.Key)), c.Accepted)
            << "text=\"" << c.Text << "\" selected=" << c.Selected << " key=" << int(c.Key);
}
