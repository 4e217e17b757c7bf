// One session of a user with the stand-in library itself: a copy of Zalvotech.dll in the
// current directory, and everything done through the main window's menu and the real
// dialogs - initialise, derive IBANs, write payment files of both kinds, convert a DTA file,
// look up a BIC, read version and table dates, release. The files written must validate
// against the ISO 20022 schemas.
#include "abi/RecordLayouts.h"
#include "app/CallLogModel.h"
#include "app/TCallLogForm.h"
#include "app/TDemoForm.h"
#include "binding/DLLAPI.h"
#include "calllog/CallLogReader.h"
#include "dialogs/DLLConvert.h"
#include "dialogs/DLLGetBIC.h"
#include "dialogs/DLLInit.h"
#include "dialogs/DLLXML.h"
#include "dialogs/DLLXMLKonto.h"
#include "helpers/DateHelpers.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/app/MenuClick.h"
#include "tests/app/ScriptedMainWindow.h"
#include "tests/dialogs/DialogTest.h"
#include "tests/paylib/SchemaCheck.h"
#include "tests/paylib/dta/DtaTestWriter.h"
#include "tests/support/GuiTest.h"
#include "tests/support/RealDay.h"
#include "tests/support/TempDirectory.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using dialogtest::click;
using dialogtest::find;
using dialogtest::shown;
using dialogtest::type;
using testsupport::messageSink;
using testsupport::ScriptedFileChooser;
using testsupport::ShownMessage;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::MessageIcon;
namespace fs = std::filesystem;

namespace {

// What a field shows, as text gtest can print.
std::string shownText(TKXEdit* field) {
    return shown(field).toStdString();
}

const std::string kSuccessCaption = "Erfolg!";
const std::string kSuccessText = "Alles verlief erfolgreich!     ";

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(ZALVO_LIBRARY_FILE, m_temp.path() / "Zalvotech.dll");
        m_form = testsupport::showMainWindow(m_dialogs);
    }

    void TearDown() override {
        if (DLLAPI::loaded()) {
            DLLAPI::bound<EntryPoint::Free>()();
        }
    }

    // Opens the menu with the mouse and clicks the item, both found by their captions. A
    // dialog of class `Dialog` that the item opens modally is handed to `drive` once it is up
    // and closed afterwards if `drive` left it open.
    template <class Dialog>
    void chooseWithDialog(const QString& menuTitle, const QString& itemText,
                          const std::function<void(Dialog*)>& drive) {
        bool driven = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) {
                return;
            }
            poll.stop();
            driven = true;
            QPointer<Dialog> guard(dialog);
            drive(dialog);
            if (guard && guard->isVisible()) {
                guard->reject();
            }
        });
        poll.start();
        choose(menuTitle, itemText);
        poll.stop();
        EXPECT_TRUE(driven) << itemText.toStdString() << " opened no dialog";
    }

    void choose(const QString& menuTitle, const QString& itemText) {
        QMenuBar* bar = m_form->menuBar();
        QMenu* menu = nullptr;
        for (QAction* action : bar->actions()) {
            if (action->menu() && action->text() == menuTitle) {
                menu = action->menu();
            }
        }
        ASSERT_NE(menu, nullptr) << menuTitle.toStdString();
        QAction* item = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == itemText) {
                item = action;
            }
        }
        ASSERT_NE(item, nullptr) << itemText.toStdString();
        testsupport::clickMenuItem(bar, menu, item);
    }

    // The messages shown since the last call.
    std::vector<ShownMessage> takeMessages() {
        std::vector<ShownMessage> messages = messageSink().messages();
        messageSink().clear();
        return messages;
    }

    static void expectMessage(const ShownMessage& message, zalvo::OwnerWindow owner,
                              const std::string& caption, const std::string& text,
                              MessageIcon icon) {
        EXPECT_EQ(message.owner, owner);
        EXPECT_EQ(message.caption, caption);
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.icon, icon);
    }

    static QString qt(const fs::path& path) { return QString::fromStdString(path.string()); }

    void initialise();
    void deriveIbans();
    void writePaymentFile(const fs::path& file);
    void convertDta(const fs::path& creditFile, const fs::path& debitFile);
    void writeDirectDebitFile(const fs::path& file);
    void lookUpBic();

    // Pins the SEPA set, insert mode and beep the fields share.
    ControlsTestState m_state;
    testsupport::TempDirectory m_temp;
    // The real day: the library refuses dates in the past by its own clock. Payment files
    // are due six days later, DTA credit transfers the next day, direct debits in three.
    platform::FixedClock m_clock{testsupport::realDay(9, 30)};
    platform::ScopedClock m_pinnedClock{m_clock};
    std::unique_ptr<TDemoForm> m_form;
    ScriptedFileChooser* m_dialogs = nullptr;
};

void EndToEndTest::initialise() {
    zalvo::OwnerWindow owner{};
    chooseWithDialog<TInitForm>(
        QStringLiteral("System"), QStringLiteral("Initialisierung - Zalvotech_Init"),
        [&](TInitForm* dialog) {
            owner = ownerHandle(dialog);
            for (const char* name : {"EData", "ETemp", "EUser", "ELogFile"}) {
                EXPECT_TRUE(shown(find<TKXEdit>(dialog, name)).isEmpty()) << name;
            }
            auto* ok = find<QAbstractButton>(dialog, "BOK");
            ASSERT_NE(ok, nullptr);
            click(ok);
            // The dialog closes after Init.
            EXPECT_FALSE(dialog->isVisible());
        });
    ASSERT_TRUE(DLLAPI::loaded());
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    expectMessage(messages[0], owner, kSuccessCaption, kSuccessText, MessageIcon::Information);
}

void EndToEndTest::deriveIbans() {
    zalvo::OwnerWindow owner{};
    chooseWithDialog<TConvertForm>(QStringLiteral("Konvertieren und Prüfen"),
                                   QStringLiteral("IBAN ermitteln - Zalvotech_ConvertBLZKonto"),
                                   [&](TConvertForm* dialog) {
                                       owner = ownerHandle(dialog);
                                       auto* bankCode = find<TKXEdit>(dialog, "EBLZ");
                                       auto* account = find<TKXEdit>(dialog, "EKonto");
                                       auto* bic = find<TKXEdit>(dialog, "EBIC");
                                       auto* iban = find<TKXEdit>(dialog, "EIBAN");
                                       auto* derive = find<QAbstractButton>(dialog, "BOK");
                                       ASSERT_TRUE(bankCode && account && bic && iban && derive);
                                       EXPECT_EQ(derive->text(), QStringLiteral("Ermitteln"));

                                       type(bankCode, QStringLiteral("37040044"));
                                       type(account, QStringLiteral("532013000"));
                                       click(derive);
                                       EXPECT_EQ(shownText(bic), "COBADEFFXXX");
                                       EXPECT_EQ(shownText(iban), "DE89370400440532013000");

                                       // A bank whose IBAN follows the standard rule, in the same
                                       // dialog.
                                       type(bankCode, QStringLiteral("50010517"));
                                       type(account, QStringLiteral("648489890"));
                                       click(derive);
                                       EXPECT_EQ(shownText(bic), "INGDDEFFXXX");
                                       EXPECT_EQ(shownText(iban), "DE12500105170648489890");

                                       // An unknown bank code empties both.
                                       type(bankCode, QStringLiteral("12345678"));
                                       click(derive);
                                       EXPECT_TRUE(shown(bic).isEmpty());
                                       EXPECT_TRUE(shown(iban).isEmpty());
                                       EXPECT_TRUE(dialog->isVisible());
                                   });
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 3u);
    // Commerzbank has a bank-specific IBAN rule (0005), which keeps this account as it is.
    expectMessage(messages[0], owner, kSuccessCaption, kSuccessText, MessageIcon::Information);
    expectMessage(messages[1], owner, kSuccessCaption, kSuccessText, MessageIcon::Information);
    expectMessage(messages[2], owner, "Fehlermeldung entsprechend der Dokumentation",
                  "Fehler bei der Funktion: Zalvotech_ConvertBLZKonto\r\n\r\nFehlernummer=-15   ",
                  MessageIcon::Critical);
}

void EndToEndTest::writePaymentFile(const fs::path& file) {
    zalvo::OwnerWindow owner{};
    chooseWithDialog<TXMLForm>(
        QStringLiteral("XML-Datei"), QStringLiteral("XML-Datei erzeugen (mit BIC und IBAN)"),
        [&](TXMLForm* dialog) {
            owner = ownerHandle(dialog);
            auto field = [dialog](const char* name) { return find<TKXEdit>(dialog, name); };
            auto button = [dialog](const char* name) {
                return find<QAbstractButton>(dialog, name);
            };
            ASSERT_TRUE(button("BCreate") && button("BWrite") && button("BClose"));

            type(field("EPfad"), qt(file.parent_path()));
            type(field("EFileName"), qt(file.filename()));
            type(field("EMsgId"), QStringLiteral("E2E-0001"));
            type(field("EEinName"), QString::fromUtf8("Bäckerei Schön"));
            click(button("BCreate"));

            type(field("EAName"), QString::fromUtf8("Bäckerei Schön"));
            type(field("EABIC"), QStringLiteral("cobadeffxxx"));
            type(field("EAIBAN"), QStringLiteral("DE89370400440532013000"));
            type(field("EEName"), QString::fromUtf8("Müller Mühlenbau"));
            type(field("EEBIC"), QStringLiteral("INGDDEFFXXX"));
            type(field("EEIBAN"), QStringLiteral("DE12500105170648489890"));
            type(field("EEBetrag"), QStringLiteral("1.234,56"));
            type(field("EEZweck1"), QStringLiteral("Rechnung 4711"));
            click(button("BWrite"));

            // The next entry is typed over the first; the recipient's BIC comes from the table.
            type(field("EEName"), QStringLiteral("Stadtwerke Berlin"));
            type(field("EEBIC"), QString());
            type(field("EEIBAN"), QStringLiteral("DE44100100100006820101"));
            type(field("EEBetrag"), QStringLiteral("99,44"));
            type(field("EEZweck1"), QString::fromUtf8("Abschlag März"));
            // A typo in the check digits is refused, and the file goes on without it.
            click(button("BWrite"));
            type(field("EEIBAN"), QStringLiteral("DE02100100100006820101"));
            click(button("BWrite"));

            click(button("BClose"));
            EXPECT_TRUE(dialog->isVisible());
            click(button("BAbbruch"));
            EXPECT_FALSE(dialog->isVisible());
        });

    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 6u);
    for (const std::size_t i : {0u, 1u, 3u, 4u}) {
        SCOPED_TRACE(i);
        expectMessage(messages[i], owner, kSuccessCaption, kSuccessText, MessageIcon::Information);
    }
    expectMessage(messages[2], owner, "Fehlermeldung entsprechend der Dokumentation",
                  "Fehler bei der Funktion: Zalvotech_WriteXML\r\n\r\nFehlernummer=-37   ",
                  MessageIcon::Critical);
    expectMessage(messages[5], owner, kSuccessCaption,
                  "Anzahl Datens\xE4tze: 2\r\n\r\nSumme der Betr\xE4ge: 1.334,00   ",
                  MessageIcon::Information);
}

void EndToEndTest::convertDta(const fs::path& creditFile, const fs::path& debitFile) {
    // Banks of the shipped table; names and purposes in DIN 66003 ("[" is "Ä", "]" is "Ü").
    dtatest::LogicalFile credits;
    credits.bankCode = 20050550;
    credits.senderAccount = 1015871393;
    credits.senderName = "HAMBURGER VEREIN";
    dtatest::Payment rent;
    rent.bankCode = 50010517;
    rent.account = 648489890;
    rent.cents = 150000;
    rent.name = "M]LLER WOHNBAU";
    rent.purposes = {"MIETE M[RZ 2027"};
    rent.originatorBankCode = 20050550;
    rent.originatorAccount = 1015871393;
    rent.originatorName = "HAMBURGER VEREIN";
    dtatest::Payment power = rent;
    power.bankCode = 10010010;
    power.account = 6820101;
    power.cents = 4711;
    power.name = "STADTWERKE";
    power.purposes = {"ABSCHLAG", "KUNDE 0815"};
    credits.payments = {rent, power};

    dtatest::LogicalFile debits = credits;
    debits.kind = "LK";
    dtatest::Payment fee = rent;
    fee.bankCode = 37040044;
    fee.account = 532013000;
    fee.cents = 2500;
    fee.name = "MITGLIED EINS";
    fee.purposes = {"BEITRAG 2027"};
    debits.payments = {fee};

    const fs::path dta = m_temp.path() / "sammler.dta";
    std::ofstream(dta, std::ios::binary) << dtatest::write({credits, debits});

    m_dialogs->answerOpen(dta.string());
    m_dialogs->answerSave(creditFile.string());
    m_dialogs->answerSave(debitFile.string());
    choose(QStringLiteral("XML-Datei"), QStringLiteral("DTA nach XML umsetzen"));

    EXPECT_EQ(m_dialogs->savePresets(),
              (std::vector<std::string>{"Überweisungen.xml", "Lastschriften.xml"}));
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    // The direct debit's bank has the IBAN rule 0005, under which its account is converted.
    expectMessage(messages[0], ownerHandle(m_form.get()), kSuccessCaption, kSuccessText,
                  MessageIcon::Information);
}

void EndToEndTest::lookUpBic() {
    zalvo::OwnerWindow owner{};
    const auto drive = [&](TGetBICForm* dialog) {
        owner = ownerHandle(dialog);
        auto* bankCode = find<TKXEdit>(dialog, "EBLZ");
        auto* bic = find<TKXEdit>(dialog, "EBIC");
        auto* ok = find<QAbstractButton>(dialog, "BOK");
        ASSERT_TRUE(bankCode && bic && ok);
        type(bankCode, QStringLiteral("10010010"));
        click(ok);
        EXPECT_EQ(shownText(bic), "PBNKDEFFXXX");
    };
    chooseWithDialog<TGetBICForm>(QStringLiteral("Konvertieren und Prüfen"),
                                  QStringLiteral("BIC ermittlen - Zalvotech_GetBIC"), drive);
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    expectMessage(messages[0], owner, kSuccessCaption, kSuccessText, MessageIcon::Information);
}

void EndToEndTest::writeDirectDebitFile(const fs::path& file) {
    zalvo::OwnerWindow owner{};
    chooseWithDialog<TXMLKontoForm>(
        QStringLiteral("XML-Datei"), QStringLiteral("XML-Datei erzeugen (mit BLZ und Kontonummer)"),
        [&](TXMLKontoForm* dialog) {
            owner = ownerHandle(dialog);
            auto field = [dialog](const char* name) { return find<TKXEdit>(dialog, name); };
            auto button = [dialog](const char* name) {
                return find<QAbstractButton>(dialog, name);
            };
            auto* debit = find<QAbstractButton>(dialog, "RLast");
            ASSERT_TRUE(debit && button("BCreate") && button("BWrite") && button("BClose"));

            click(debit);
            type(field("EPfad"), qt(file.parent_path()));
            type(field("EFileName"), qt(file.filename()));
            type(field("EMsgId"), QStringLiteral("E2E-LS-1"));
            type(field("EEInName"), QStringLiteral("Sportverein Nord"));
            click(button("BCreate"));

            type(field("EAName"), QStringLiteral("Sportverein Nord"));
            type(field("EABLZ"), QStringLiteral("20050550"));
            type(field("EAKonto"), QStringLiteral("1015871393"));
            type(field("EACI"), QStringLiteral("DE98ZZZ09999999999"));
            type(field("EEName"), QString::fromUtf8("Jörg Mitglied"));
            type(field("EEBLZ"), QStringLiteral("50010517"));
            type(field("EEKonto"), QStringLiteral("648489890"));
            type(field("EEBetrag"), QStringLiteral("25"));
            type(field("EEZweck1"), QStringLiteral("Beitrag 2027"));
            type(field("EEMandat"), QStringLiteral("MITGLIED-0042"));
            type(field("EEDatMandat"), QStringLiteral("1.3.2024"));
            click(button("BWrite"));

            type(field("EEName"), QStringLiteral("Anna Beispiel"));
            type(field("EEBLZ"), QStringLiteral("10010010"));
            type(field("EEKonto"), QStringLiteral("6820101"));
            type(field("EEBetrag"), QStringLiteral("12,50"));
            type(field("EEMandat"), QStringLiteral("MITGLIED-0043"));
            click(button("BWrite"));

            click(button("BClose"));
        });

    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        expectMessage(messages[i], owner, kSuccessCaption, kSuccessText, MessageIcon::Information);
    }
    expectMessage(messages[4], owner, kSuccessCaption,
                  "Anzahl Datens\xE4tze: 2\r\n\r\nSumme der Betr\xE4ge: 37,50   ",
                  MessageIcon::Information);
}

} // namespace

TEST_F(EndToEndTest, InitialiseDeriveWriteAndConvertThroughTheMenu) {
    initialise();
    ASSERT_FALSE(HasFatalFailure());
    deriveIbans();

    const fs::path paymentFile = m_temp.path() / "zahlungen.xml";
    writePaymentFile(paymentFile);
    ASSERT_TRUE(fs::exists(paymentFile));
    EXPECT_TRUE(schemacheck::validates(paymentFile, "pain.001.001.09.xsd"));
    const std::string payments = schemacheck::contents(paymentFile);
    EXPECT_NE(payments.find("<MsgId>E2E-0001</MsgId>"), std::string::npos);
    EXPECT_NE(payments.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(payments.find("<CtrlSum>1334.00</CtrlSum>"), std::string::npos);
    EXPECT_NE(payments.find("<Dt>" + testsupport::isoDate(Today() + 6) + "</Dt>"),
              std::string::npos);
    EXPECT_NE(payments.find("B\xC3\xA4"
                            "ckerei Sch\xC3\xB6n"),
              std::string::npos);
    EXPECT_NE(payments.find("M\xC3\xBCller M\xC3\xBChlenbau"), std::string::npos);
    EXPECT_NE(payments.find("<BICFI>PBNKDEFFXXX</BICFI>"), std::string::npos);
    EXPECT_NE(payments.find("Abschlag M\xC3\xA4rz"), std::string::npos);
    // Nothing of the writer is left behind next to the file.
    for (const auto& entry : fs::directory_iterator(m_temp.path())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }

    const fs::path creditFile = m_temp.path() / "ueberweisungen.xml";
    const fs::path debitFile = m_temp.path() / "lastschriften.xml";
    convertDta(creditFile, debitFile);
    ASSERT_TRUE(fs::exists(creditFile));
    ASSERT_TRUE(fs::exists(debitFile));
    EXPECT_TRUE(schemacheck::validates(creditFile, "pain.001.001.09.xsd"));
    EXPECT_TRUE(schemacheck::validates(debitFile, "pain.008.001.08.xsd"));
    const std::string creditXml = schemacheck::contents(creditFile);
    EXPECT_NE(creditXml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(creditXml.find("<CtrlSum>1547.11</CtrlSum>"), std::string::npos);
    EXPECT_NE(creditXml.find("<Dt>" + testsupport::isoDate(Today() + 1) + "</Dt>"),
              std::string::npos);
    EXPECT_NE(creditXml.find("DE02200505501015871393"), std::string::npos);
    EXPECT_NE(creditXml.find("M\xC3\x9CLLER WOHNBAU"), std::string::npos);
    EXPECT_NE(creditXml.find("MIETE M\xC3\x84RZ 2027"), std::string::npos);
    EXPECT_NE(creditXml.find("ABSCHLAG KUNDE 0815"), std::string::npos);
    const std::string debitXml = schemacheck::contents(debitFile);
    EXPECT_NE(debitXml.find("<NbOfTxs>1</NbOfTxs>"), std::string::npos);
    EXPECT_NE(
        debitXml.find("<ReqdColltnDt>" + testsupport::isoDate(Today() + 3) + "</ReqdColltnDt>"),
        std::string::npos);
    EXPECT_NE(debitXml.find("DE89370400440532013000"), std::string::npos);
    EXPECT_NE(debitXml.find("<BICFI>COBADEFFXXX</BICFI>"), std::string::npos);
}

TEST_F(EndToEndTest, EveryOtherMenuCommandWorksWithTheLibraryUntilItIsReleased) {
    const std::string notLoaded = "Die API (Zalvotech.dll) wurde noch nicht geladen!\r\n\r\n"
                                  "Bitte rufen Sie zuerst die Funktion Zalvotech_init auf.   ";
    const zalvo::OwnerWindow mainWindow = ownerHandle(m_form.get());
    // Before Init the guarded commands only say so.
    choose(QStringLiteral("System"), QStringLiteral("Version - Zalvotech_Version"));
    auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    expectMessage(messages[0], mainWindow, "Fehlermeldung entsprechend der Dokumentation",
                  notLoaded, MessageIcon::Critical);

    initialise();
    ASSERT_FALSE(HasFatalFailure());
    choose(QStringLiteral("System"), QStringLiteral("Version - Zalvotech_Version"));
    choose(QStringLiteral("System"), QStringLiteral("Informationen - Zalvotech_Info"));
    messages = takeMessages();
    ASSERT_EQ(messages.size(), 2u);
    expectMessage(messages[0], mainWindow, kSuccessCaption, "Version 1.0.0 vom 08.12.2026.   ",
                  MessageIcon::Information);
    // The embedded bank data is valid from 8 December 2025.
    expectMessage(messages[1], mainWindow, kSuccessCaption,
                  "Aktualit\xE4t der SEPA-Teilnehmer: 08.12.2025.\r\n\r\n"
                  "G\xFCltigkeit des BLZ-Bestandes: 08.12.2025 bis 08.03.2026   ",
                  MessageIcon::Information);

    lookUpBic();

    const fs::path debitFile = m_temp.path() / "beitraege.xml";
    writeDirectDebitFile(debitFile);
    ASSERT_TRUE(fs::exists(debitFile));
    EXPECT_TRUE(schemacheck::validates(debitFile, "pain.008.001.08.xsd"));
    const std::string xml = schemacheck::contents(debitFile);
    EXPECT_NE(xml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(xml.find("<CtrlSum>37.50</CtrlSum>"), std::string::npos);
    EXPECT_NE(xml.find("<ReqdColltnDt>" + testsupport::isoDate(Today() + 6) + "</ReqdColltnDt>"),
              std::string::npos);
    EXPECT_NE(xml.find("<MndtId>MITGLIED-0042</MndtId>"), std::string::npos);
    EXPECT_NE(xml.find("<DtOfSgntr>2024-03-01</DtOfSgntr>"), std::string::npos);
    EXPECT_NE(xml.find("DE98ZZZ09999999999"), std::string::npos);
    // IBANs and BICs derived from the bank codes and account numbers.
    EXPECT_NE(xml.find("DE02200505501015871393"), std::string::npos);
    EXPECT_NE(xml.find("DE12500105170648489890"), std::string::npos);
    EXPECT_NE(xml.find("DE02100100100006820101"), std::string::npos);
    EXPECT_NE(xml.find("<BICFI>HASPDEHHXXX</BICFI>"), std::string::npos);
    EXPECT_NE(xml.find("J\xC3\xB6rg Mitglied"), std::string::npos);

    choose(QStringLiteral("System"), QStringLiteral("Freigeben - Zalvotech_Free"));
    EXPECT_FALSE(DLLAPI::loaded());
    choose(QStringLiteral("System"), QStringLiteral("Informationen - Zalvotech_Info"));
    messages = takeMessages();
    ASSERT_EQ(messages.size(), 2u);
    expectMessage(messages[0], mainWindow, kSuccessCaption, kSuccessText, MessageIcon::Information);
    expectMessage(messages[1], mainWindow, "Fehlermeldung entsprechend der Dokumentation",
                  notLoaded, MessageIcon::Critical);
}

namespace {

// The text a screen reader gets for a cell of an accessible table.
QString accessibleCell(QWidget* table, int row, int column) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    if (!accessible || !accessible->tableInterface()) {
        return {};
    }
    QAccessibleInterface* cell = accessible->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QString();
}

int accessibleRowCount(QWidget* table) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    return accessible && accessible->tableInterface() ? accessible->tableInterface()->rowCount()
                                                      : -1;
}

} // namespace

TEST_F(EndToEndTest, CallLogListsInitAndTheConversionWithTheBytesPassedAndWrittenBack) {
    initialise();
    ASSERT_FALSE(HasFatalFailure());
    deriveIbans();
    ASSERT_FALSE(HasFatalFailure());

    choose(QStringLiteral("Ansicht"), QStringLiteral("Aufrufprotokoll"));
    auto* window = m_form->findChild<TCallLogForm*>();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Aufrufprotokoll"));
    EXPECT_FALSE(window->isModal());
    auto* calls = window->findChild<QTableView*>(QStringLiteral("Calls"));
    ASSERT_NE(calls, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([calls] { return accessibleRowCount(calls) == 4; }))
        << accessibleRowCount(calls);

    // Through the accessibility interface: entry point and result of every call as text.
    const QStringList expected[] = {
        {"Zalvotech_Init", "0", "Alles verlief erfolgreich!"},
        {"Zalvotech_ConvertBLZKonto", "0", "Alles verlief erfolgreich!"},
        {"Zalvotech_ConvertBLZKonto", "0", "Alles verlief erfolgreich!"},
        {"Zalvotech_ConvertBLZKonto", "-15", "Bankleitzahl unbekannt"},
    };
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(accessibleCell(calls, row, CallLogModel::EntryPoint), expected[row][0]);
        EXPECT_EQ(accessibleCell(calls, row, CallLogModel::Result), expected[row][1]);
        EXPECT_EQ(accessibleCell(calls, row, CallLogModel::Meaning), expected[row][2]);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"))
                        .match(accessibleCell(calls, row, CallLogModel::Time))
                        .hasMatch());
    }

    // The first conversion's details: the bank code as passed, the IBAN written back.
    QTest::mouseClick(calls->viewport(), Qt::LeftButton, {},
                      calls->visualRect(calls->model()->index(1, 0)).center());
    auto* fields = window->findChild<QTableWidget*>(QStringLiteral("Fields"));
    ASSERT_NE(fields, nullptr);
    ASSERT_EQ(accessibleRowCount(fields), 4);
    auto rowOf = [fields](const QString& field) {
        for (int row = 0; row < accessibleRowCount(fields); ++row) {
            if (accessibleCell(fields, row, 1).startsWith(field)) {
                return row;
            }
        }
        return -1;
    };
    const int bankCode = rowOf(QStringLiteral("Bankleitzahl"));
    ASSERT_GE(bankCode, 0);
    EXPECT_EQ(accessibleCell(fields, bankCode, 1), QStringLiteral("Bankleitzahl"));
    EXPECT_EQ(accessibleCell(fields, bankCode, 2), QStringLiteral("37040044"));
    EXPECT_EQ(accessibleCell(fields, bankCode, 3), QStringLiteral("37040044"));
    const int iban = rowOf(QStringLiteral("IBAN"));
    ASSERT_GE(iban, 0);
    EXPECT_EQ(accessibleCell(fields, iban, 1), QString::fromUtf8("IBAN (geändert)"));
    EXPECT_EQ(accessibleCell(fields, iban, 2), QString());
    EXPECT_EQ(accessibleCell(fields, iban, 3), QStringLiteral("DE89370400440532013000"));

    // Ctrl+C copies the selected call with its fields and hex view.
    QApplication::clipboard()->clear();
    QTest::keyClick(calls, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QStringLiteral("Zalvotech_ConvertBLZKonto  0  Alles")))
        << copied.toStdString();
    EXPECT_TRUE(
        copied.contains(QStringLiteral("* Kontosatz / IBAN: \"\" -> \"DE89370400440532013000\"")));
    EXPECT_TRUE(copied.contains(QStringLiteral("0000  33 37 30 34 30 30 34 34 00")));

    // Live: a call made while the window is open shows up without asking.
    choose(QStringLiteral("System"), QStringLiteral("Version - Zalvotech_Version"));
    takeMessages();
    EXPECT_TRUE(QTest::qWaitFor([calls] { return accessibleRowCount(calls) == 5; }));
    EXPECT_EQ(accessibleCell(calls, 4, CallLogModel::EntryPoint),
              QStringLiteral("Zalvotech_Version"));

    // Saved as JSON Lines, every call with its bytes.
    const fs::path saved = m_temp.path() / "aufrufe.jsonl";
    ASSERT_TRUE(window->saveTo(qt(saved)));
    std::ifstream in(saved, std::ios::binary);
    const auto read = zalvo::calllog::CallLogReader::read(in);
    ASSERT_TRUE(read.ok()) << read.errorLine << ": " << read.error;
    ASSERT_EQ(read.calls.size(), 5u);
    EXPECT_EQ(read.calls[1].after(0).substr(zalvo::account::kIban.offset, 22),
              "DE89370400440532013000");

    // Leeren empties the list.
    click(window->findChild<QAbstractButton*>(QStringLiteral("BClear")));
    EXPECT_EQ(accessibleRowCount(calls), 0);
}
