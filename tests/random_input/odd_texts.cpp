#include "random_input.h"

using namespace Qt::StringLiterals;

namespace randominput {

const QStringList& oddTexts()
{
    static const QStringList texts = [] {
        QStringList list{
            // empty, blanks and signs
            QString(), u" "_s, u"-"_s, u"+"_s, u"+-1"_s, u"--1"_s, u"-0"_s, u"+0"_s, u"+00"_s, u" 7 "_s, u"\t12\t"_s,
            u"\u00A05"_s,
            // separators
            u"."_s, u","_s, u"1.5"_s, u"2,5"_s, u"12.5"_s, u"13.5"_s, u"-2.5"_s, u".5"_s, u"5."_s, u"1,000"_s,
            u"1 000"_s, u"1e3"_s, u"0x1F"_s,
            // plain numbers around the programs' own ranges
            u"0"_s, u"1"_s, u"27"_s, u"50"_s, u"51"_s, u"99"_s, u"100"_s, u"297"_s, u"298"_s, u"-1"_s, u"-3"_s,
            // at and beyond the 16- and 32-bit limits
            u"32767"_s, u"32768"_s, u"-32768"_s, u"-32769"_s, u"65535"_s, u"65536"_s, u"2147483647"_s, u"2147483648"_s,
            u"-2147483648"_s, u"-2147483649"_s, u"4294967295"_s, u"4294967296"_s, u"99999999999999999999"_s,
            u"32767.5"_s, u"-32768.5"_s,
            // digits that are not ASCII
            u"\u0663"_s, u"\uFF13"_s, u"\u00BD"_s,
            // other scripts, composed characters and characters outside the basic plane
            u"\u03A9\u03BC\u03AD\u03B3\u03B1"_s, u"\u041A\u0438\u0440\u0438\u043B\u043B\u0438\u0446\u0430"_s,
            u"\u6F22\u5B57\u30C6\u30B9\u30C8"_s, u"\u0645\u0631\u062D\u0628\u0627"_s, u"\u05E9\u05DC\u05D5\u05DD"_s,
            u"e\u0301"_s, u"\U0001F600\U0001F3B2"_s, u"\u200B"_s, u"\uFEFF"_s,
            // quotes, backslashes, brackets and what a stored text might take for syntax
            u"\""_s, u"'"_s, u"\\"_s, u"\\\\server\\share"_s, u"\"quoted\""_s, u"[Player1]"_s, u"["_s, u"]"_s, u"{}"_s,
            u"()"_s, u"<b>bold</b>"_s, u"=\"x\""_s, u"@=hex(1):41,00"_s, u"hex(1):41,00"_s, u"dword:ffffffff"_s,
            u"Player 1"_s, u"Player1"_s, u"Select School"_s, u"Faren"_s, u"faren"_s, u"Weapon Class"_s, u"Shal'ille"_s,
            // format placeholders and access-key markers
            u"%1 %2"_s, u"%n"_s, u"%"_s, u"&File"_s, u"a&&b"_s,
            // line breaks and tabs, which only a paste brings in
            u"line\nbreak"_s, u"\r\n"_s, u"a\tb"_s};
        list << QString(300, u'9') << u"[\"\\]\u00E9\u6F22"_s.repeated(50);
        return list;
    }();
    return texts;
}

}  // namespace randominput
