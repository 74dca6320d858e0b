// Every dialog window of the interface description built by the Qt platform,
// offscreen, in English and in French: no text is cut off, no two controls
// overlap, every numbered control a user can act on reports its number, and a
// screenshot of each window is saved in the build folder
// (dialog-screenshots/<language>/).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>
#include <QTest>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DialogOpeners.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/MemoryFiles.h"
#include "fakes/RecordingDialogHost.h"
#include "platform/CharMap.h"
#include "platform/InterfaceDescription.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtWindows.h"
#include "platform/NumberedWindows.h"
#include "platform/StringTable.h"
#include "settings/FunctionKeys.h"
#include "ui/dialogs/KeyEditing.h"

namespace korvane::platform {
namespace {

struct RecordingSink final : EventSink {
  std::vector<UiEvent> events;
  void Post(const UiEvent& e) override { events.push_back(e); }
};

std::string ReadFile(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

platform::StringTable Strings(const std::string& language) {
  platform::StringTable strings;
  if (language == "fr") {
    EXPECT_GT(strings.Load(ReadFile(std::string(KORVANE_RESOURCES) + "/strings/fr.txt")), 0);
  }
  return strings;
}

InterfaceDescription Described(const std::string& language) {
  InterfaceDescription d;
  std::string error;
  EXPECT_TRUE(LoadInterfaceDescription(std::string(KORVANE_RESOURCES) + "/interface.json", d, error)) << error;
  const platform::StringTable strings = Strings(language);
  LocaliseDescription(d, [&strings](const std::string& s) { return strings.Localise(s); });
  return d;
}

// A Wyse 60 session with a few settings of everything, to fill the windows.
SessionOptions SampleSettings() {
  SessionOptions Opt;
  Opt.EmuViewpoint = Opt.EmuWyse50 = Opt.EmuWyse60 = 1;
  Opt.FkeySetType = 1;
  LoadBuiltInKeyLabels(Opt);
  Opt.FkeyStrings[3] = "ls -l\r";
  Opt.ReverseColour = 12;
  Opt.Mode2Colour = 3;
  Opt.BoldColour = 2;
  Opt.UnderlineColour = 8;
  Opt.CurrentForeColour = 17;
  Opt.BackgroundColour = 18;
  Opt.WindowOpacity = 97;
  Opt.TelnetHost = "host.example.com";
  Opt.SshHost = "server.example.com";
  Opt.SshUser = "alice";
  Opt.ShellRunsTcsh = 1;
  Opt.ModemInitString = "AT&F%C1";
  Opt.HostCharacterSet = 6;
  Opt.ProgramFontOption = 1;
  Opt.CaptureCreator = "ttxt";
  Opt.PrintPageHeader = "PAGE";
  Opt.PrinterFontSize = 12;
  Opt.PrinterFontName = "KorvanePrinterFont";
  Opt.PrinterOption101 = 1;
  Opt.ProtectShownAs = 2;
  Opt.HiddenAttributes = 1;
  Opt.ScrollBackOn = 1;
  Opt.ClipboardLineDelay = 1;
  Opt.ClipboardCharDelay = 4;
  Opt.EchoPacedSend = 1;
  Opt.DialogValue66 = ".";
  Opt.ConnectionString86 = "login:";
  Opt.LeftArrowString = "{CTH";
  Opt.UpArrowString = "{CTK";
  Opt.RightArrowString = "{CTL";
  Opt.DownArrowString = "{CTJ";
  return Opt;
}

// The windows the program opens by number, with their names.
std::vector<std::pair<int, std::string>> NumberedDialogs(const InterfaceDescription& d) {
  std::vector<std::pair<int, std::string>> out;
  for (int n = 1; n < platform::kSessionWindowBase; ++n)
    if (const char* name = platform::WindowNameOf(n); name && d.FindWindow(name)) out.emplace_back(n, name);
  return out;
}

std::string Describe(const QWidget* w) {
  QString text;
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
  if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
  return std::string(w->metaObject()->className()) + " \"" + text.toStdString() + "\" #" +
         std::to_string(w->property("korvaneControl").toInt());
}

class DialogWindowsQtTest : public ::testing::TestWithParam<std::string> {};

TEST_P(DialogWindowsQtTest, EveryWindowFitsItsTextsAndIsSavedAsAScreenshot) {
  const std::string language = GetParam();
  const InterfaceDescription d = Described(language);
  const platform::StringTable strings = Strings(language);
  RecordingSink sink;
  QtWindows windows(sink, nullptr, d);
  // The windows are opened and filled as the program opens them.
  int16_t startUp = 0, quitting = 0, active = 48;
  int32_t timeSlice = 1;
  platform::NumberedWindows numbered(windows, platform::WindowFlags{&startUp, &quitting, &active, &timeSlice});
  fakes::FakeAlerts alerts;
  MemoryMenus menus(d.menus);
  fakes::MemoryFiles files;
  files.files["/prefs/Quickdial"] = "555-1234\n";
  fakes::FakeFileDialogs fileDialogs;
  fakes::FakeClock clock;
  fakes::RecordingDialogHost host;
  host.language = language == "fr" ? "French" : "English";
  ui::SettingsDialogs dialogs(
      ui::DialogServices{windows, numbered, alerts, menus, files, fileDialogs, clock, strings, host});
  SessionOptions Opt = SampleSettings();

  const QString folder = QDir::currentPath() + "/dialog-screenshots/" + QString::fromStdString(language);
  ASSERT_TRUE(QDir().mkpath(folder));
  const auto dialogsShown = NumberedDialogs(d);
  ASSERT_GE(dialogsShown.size(), 30u);
  for (const auto& [n, name] : dialogsShown) {
    SCOPED_TRACE("window " + std::to_string(n) + " \"" + name + "\" (" + language + ")");
    if (n == 21 || n == 22 || n == 23 || n == 45)
      numbered.OpenAppWindow(n);
    else
      ui::OpenWindow(dialogs, Opt, n);
    ASSERT_TRUE(windows.Exists(n));
    EXPECT_EQ(windows.Title(n), d.FindWindow(name)->title);
    QWidget* top = windows.TopLevel(n);
    ASSERT_NE(top, nullptr);
    top->adjustSize();
    QCoreApplication::processEvents();

    std::vector<QWidget*> leaves;
    for (QWidget* w : top->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(top) || qobject_cast<QGroupBox*>(w)) continue;
      if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLabel*>(w) && !qobject_cast<QLineEdit*>(w) &&
          !qobject_cast<QComboBox*>(w) && !qobject_cast<QSlider*>(w))
        continue;
      if (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) continue;
      leaves.push_back(w);
      // A text narrower than it needs is cut off.
      const auto* label = qobject_cast<QLabel*>(w);
      if (qobject_cast<QAbstractButton*>(w) || (label && !label->wordWrap())) {
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << Describe(w) << " is cut off";
      }
      EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Describe(w) << " is cut off";
      // Everything lies inside the window.
      const QRect r(w->mapTo(top, QPoint(0, 0)), w->size());
      EXPECT_TRUE(top->rect().contains(r)) << Describe(w) << " reaches out of the window";
    }
    for (std::size_t i = 0; i < leaves.size(); ++i)
      for (std::size_t j = i + 1; j < leaves.size(); ++j) {
        const QRect a(leaves[i]->mapTo(top, QPoint(0, 0)), leaves[i]->size());
        const QRect b(leaves[j]->mapTo(top, QPoint(0, 0)), leaves[j]->size());
        EXPECT_FALSE(a.intersects(b)) << Describe(leaves[i]) << " overlaps " << Describe(leaves[j]);
      }

    QString file = QString::fromStdString(name);
    file.replace('/', '-');
    EXPECT_TRUE(top->grab().save(folder + QString("/%1-%2.png").arg(n, 2, 10, QChar('0')).arg(file)));
    windows.Close(n);
  }
}

TEST_P(DialogWindowsQtTest, EveryControlAUserCanActOnReportsItsNumber) {
  const InterfaceDescription d = Described(GetParam());
  RecordingSink sink;
  QtWindows windows(sink, nullptr, d);
  for (const auto& [n, name] : NumberedDialogs(d)) {
    SCOPED_TRACE("window " + std::to_string(n) + " \"" + name + "\"");
    ASSERT_TRUE(windows.MakeDialogWindow(n, name));
    windows.Show(n);
    auto* controls = dynamic_cast<QtControls*>(windows.WindowControls(n));
    ASSERT_NE(controls, nullptr);
    const WindowDescription* w = d.FindWindow(name);
    for (const ControlDescription& c : w->controls) {
      if (c.number == 0 || c.kind == "label") continue;
      QWidget* widget = controls->Widget(c.number);
      ASSERT_NE(widget, nullptr) << "control " << c.number;
      if (c.hidden) widget->show();
      sink.events.clear();
      if (c.kind == "text") {
        widget->setFocus();
        QTest::keyClicks(widget, "x");
      } else if (c.kind == "popup") {
        QTest::keyClick(widget, Qt::Key_Down);
      } else if (c.kind == "slider") {
        QTest::keyClick(widget, Qt::Key_Right);
      } else {
        // On the box or the button's own text, where a click counts.
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
      }
      bool reported = false;
      for (const UiEvent& e : sink.events)
        reported = reported || (e.type == kControlHit && e.window == n && e.number == c.number);
      EXPECT_TRUE(reported) << "control " << c.number << " (" << c.kind << ") of window " << n;
      if (c.hidden) widget->hide();
    }
    windows.Close(n);
  }
}

TEST_P(DialogWindowsQtTest, ValuesAndTextsTheProgramSetsAreNotReported) {
  const InterfaceDescription d = Described(GetParam());
  RecordingSink sink;
  QtWindows windows(sink, nullptr, d);
  ASSERT_TRUE(windows.MakeDialogWindow(13, "Colors"));
  ASSERT_TRUE(windows.MakeDialogWindow(15, "Telnet Connection"));
  ASSERT_TRUE(windows.MakeDialogWindow(20, "Transparency"));
  Controls* colours = windows.WindowControls(13);
  Controls* telnet = windows.WindowControls(15);
  Controls* slider = windows.WindowControls(20);
  colours->SetControlValue(104, 18);
  colours->SetControlValue(7, 1);
  telnet->SetControlText(3, "host.example");
  telnet->SetControlValue(14, 1);
  slider->SetScrollBarRange(500, -100, -20, 10);
  slider->SetControlValue(500, -80);
  EXPECT_TRUE(sink.events.empty());
  EXPECT_EQ(colours->ControlValue(104), 18);
  EXPECT_EQ(colours->ControlText(104), Described(GetParam()).FindWindow("Colors")->FindControl(104)->items[17]);
  EXPECT_EQ(colours->ControlValue(7), 1);
  EXPECT_EQ(telnet->ControlText(3), "host.example");
  EXPECT_EQ(slider->ControlValue(500), -80);
  ControlKind kind{};
  ASSERT_TRUE(telnet->KindOf(3, kind));
  EXPECT_EQ(kind, ControlKind::EditText);
}

TEST(DialogControlsQtTest, FocusAndSelectionOfAnEditFieldAreThoseTheUserSees) {
  InterfaceDescription d = Described("en");
  RecordingSink sink;
  QtWindows windows(sink, nullptr, d);
  ASSERT_TRUE(windows.MakeDialogWindow(44, "Arrow Keys"));
  windows.BringToFront(44);
  Controls* c = windows.WindowControls(44);
  c->SetControlText(6, "{ES[C");
  c->SetKeyboardFocus(6);
  EXPECT_EQ(c->FocusedControlNumber(), 6);
  c->SetTextSelection(6, {3, 4});
  EXPECT_EQ(c->ControlTextSelection(6), (TextSelection{3, 4}));
  // The token buttons leave the field's focus and selection where they are.
  QTest::mouseClick(dynamic_cast<QtControls*>(c)->Widget(8), Qt::LeftButton);
  EXPECT_EQ(c->FocusedControlNumber(), 6);
  EXPECT_EQ(c->ControlTextSelection(6), (TextSelection{3, 4}));
  c->SetTextSelection(6, {2, 2});
  EXPECT_EQ(c->ControlTextSelection(6), (TextSelection{2, 2}));
}

TEST(DialogControlsQtTest, ReturnTypedInAFieldReachesTheProgramAsTheWindowsReturnKey) {
  InterfaceDescription d = Described("en");
  RecordingSink sink;
  QtWindows windows(sink, nullptr, d);
  ASSERT_TRUE(windows.MakeDialogWindow(15, "Telnet Connection"));
  windows.BringToFront(15);
  QWidget* field = dynamic_cast<QtControls*>(windows.WindowControls(15))->Widget(3);
  field->setFocus();
  sink.events.clear();
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(sink.events.size(), 1u);
  EXPECT_EQ(sink.events[0].type, kKeyTyped);
  EXPECT_EQ(sink.events[0].number, 13);
  EXPECT_EQ(sink.events[0].window, 15);
}

TEST(QtFileDialogsTest, TheDialogsOfferTheKindsAskedForAndEveryFile) {
  platform::StringTable french = Strings("fr");
  QtFileDialogs dialogs([&french](const std::string& s) { return french.Localise(s); });
  EXPECT_EQ(dialogs.NameFilters({FileKind::FunctionKeys, FileKind::Text}),
            (std::vector<std::string>{"Documents de touches de fonction (*.kvfkey)",
                                      "Fichiers texte (*.txt *.text *.log *.csv)", "Tous les fichiers (*)"}));
  EXPECT_EQ(dialogs.NameFilters({}), std::vector<std::string>{"Tous les fichiers (*)"});

  const QString folder = QDir::tempPath() + QString("/korvane-file-dialogs-%1").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile existing(folder + "/keys.kvfkey");
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  std::vector<QString> titles;
  // The user picks the file, or names one to save, and presses the button.
  auto answer = [&](const QString& name) {
    dialogs.onShow = [&titles, folder, name](QFileDialog& d) {
      d.setOption(QFileDialog::DontUseNativeDialog);
      d.setDirectory(folder);
      titles.push_back(d.windowTitle());
      QTimer::singleShot(0, &d, [&d, name] {
        if (name.isEmpty()) {
          d.reject();
          return;
        }
        d.selectFile(name);
        static_cast<QDialog&>(d).accept();
      });
    };
  };
  answer("keys.kvfkey");
  EXPECT_EQ(dialogs.ChooseFile({FileKind::FunctionKeys}, "Choisissez"), (folder + "/keys.kvfkey").toStdString());
  answer("");
  EXPECT_EQ(dialogs.ChooseFile({FileKind::FunctionKeys}, "Choisissez"), std::nullopt);
  answer("work");
  EXPECT_EQ(dialogs.ChooseNewFile(FileKind::FunctionKeys, "Nommez", "Function keys"),
            (folder + "/work.kvfkey").toStdString());
  EXPECT_EQ(titles, (std::vector<QString>{"Choisissez", "Choisissez", "Nommez"}));
  QDir(folder).removeRecursively();
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogWindowsQtTest, ::testing::Values("en", "fr"));

}  // namespace
}  // namespace korvane::platform
