#include <QtTest>
#include <cstdint>
#include <string_view>

#include "levels/profilevalue.h"

class TestProfileValue : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

namespace {

// Rows carry their expected value only when the text is a number.
void numberRow(const char* name, QByteArray text, std::int32_t expected) {
    QTest::newRow(name) << text << true << expected;
}

void malformedRow(const char* name, QByteArray text) {
    QTest::newRow(name) << text << false << std::int32_t{0};
}

}  // namespace

void TestProfileValue::parse_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<std::int32_t>("expected");

    numberRow("decimal", "42", 42);
    numberRow("negative", "-20", -20);
    numberRow("plus sign", "+7", 7);
    numberRow("leading zeros", "007", 7);
    numberRow("many leading zeros", "000000000000000000000007", 7);
    numberRow("minus zero", "-0", 0);
    numberRow("leading spaces", "   12", 12);
    numberRow("leading tabs and spaces", "\t \t-3", -3);
    numberRow("int32 max", "2147483647", 2147483647);
    numberRow("int32 min", "-2147483648", INT32_MIN);
    malformedRow("just above int32 max", "2147483648");
    malformedRow("just below int32 min", "-2147483649");
    malformedRow("twenty digits", "99999999999999999999");
    malformedRow("twenty digits negative", "-99999999999999999999");

    numberRow("0x prefix", "0x10", 16);
    numberRow("0x shortest", "0x1", 1);
    numberRow("0X upper case prefix", "0X1f", 31);
    numberRow("0x mixed case digits", "0x1F", 31);
    numberRow("dollar", "$1f", 31);
    numberRow("dollar upper case", "$FfFf", 65535);
    numberRow("dollar after blanks", " \t$10", 16);
    numberRow("dollar zero", "$0", 0);
    numberRow("hex max positive", "$7FFFFFFF", 2147483647);
    numberRow("hex wraps to min", "$80000000", INT32_MIN);
    numberRow("hex all ones", "$FFFFFFFF", -1);
    numberRow("0x all ones", "0xffffffff", -1);
    numberRow("hex leading zero beyond eight digits", "$000000001", 1);
    numberRow("hex many leading zeros", "$0000000000000000FFFFFFFF", -1);
    malformedRow("hex nine significant digits", "$100000000");
    malformedRow("0x nine significant digits", "0x100000000");
    malformedRow("0x alone", "0x");
    malformedRow("0X alone", "0X");
    malformedRow("dollar alone", "$");
    malformedRow("dollar then blank", "$ 1");
    malformedRow("dollar not hex", "$1g");
    malformedRow("minus dollar", "-$1");
    malformedRow("plus dollar", "+$1");
    malformedRow("minus 0x", "-0x1");
    malformedRow("0x then minus", "0x-1");
    malformedRow("0x twice", "0x0x1");
    malformedRow("blank before 0x", " 0x10");

    malformedRow("empty", "");
    malformedRow("only blanks", "  \t ");
    malformedRow("plus alone", "+");
    malformedRow("minus alone", "-");
    malformedRow("sign then blank", "- 3");
    malformedRow("double sign", "--3");
    malformedRow("trailing blank", "12 ");
    malformedRow("trailing tab", "12\t");
    malformedRow("unit suffix", "12px");
    malformedRow("fraction", "1.5");
    malformedRow("exponent", "1e3");
    malformedRow("word true", "true");
    malformedRow("word yes", "yes");
    malformedRow("newline is not a blank", "\n1");
    malformedRow("trailing NUL", QByteArray("12\0", 3));
}

void TestProfileValue::parse() {
    QFETCH(QByteArray, text);
    QFETCH(bool, isNumber);
    QFETCH(std::int32_t, expected);

    const auto parsed = parseProfileInt(std::string_view(text.constData(), text.size()));
    QCOMPARE(parsed.has_value(), isNumber);
    if (isNumber) {
        QCOMPARE(*parsed, expected);
    }
}

QTEST_APPLESS_MAIN(TestProfileValue)
#include "tst_profilevalue.moc"
