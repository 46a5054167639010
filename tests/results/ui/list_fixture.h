#pragma once
// A program folder with the demo database and the rating pictures, the
// search screen's WHERE text and criteria played by the test, and message
// boxes answered by script.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "app/ui/mdi_frm_main.h"
#include "common/testing.h"
#include "host/ui/screens.h"
#include "platform/message_box.h"
#include "results/list_state.h"
#include "results/ui/frm_list.h"
#include "results/ui/register.h"
#include "services/settings.h"

namespace qw::testing {

class ListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QFile::exists(DemoDatabasePath())) << "demo database missing";
    const QDir built(BuiltProgramFolder());
    QDir(folder_.Path()).mkpath("pictures/list");
    for (const QString& name : built.entryList({"c*.jpg"}, QDir::Files))
      QFile::copy(built.filePath(name), folder_.Path() + "/" + name);
    for (const QString& name : QDir(built.filePath("pictures/list")).entryList(QDir::Files))
      QFile::copy(built.filePath("pictures/list/" + name), folder_.Path() + "/pictures/list/" + name);
    saved_ = AppScreens();
    AppScreens().buildWhereClause = [this] { return where_; };
    AppScreens().criteriaControlText = [this](const QString& name) { return criteria_.value(name); };
    AppScreens().showSearch = [this] { ++searchShown_; };
    SortOrder() = ListOrder::Geographic;
  }
  void TearDown() override {
    frmList::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AppScreens() = saved_;
  }

  // The list shown inside a main window of 1280 x 800.
  frmList* ShowListInMainWindow() {
    RegisterResultScreens();
    MDIFrmMain* main = MDIFrmMain::Instance();
    main->resize(1280, 800);
    main->show();
    CallScreen(AppScreens().showList);
    return frmList::Loaded();
  }

  TempProgramFolder folder_;
  ScriptedMsgBoxes boxes_;
  Screens saved_;
  QString where_;
  QMap<QString, QString> criteria_;
  int searchShown_ = 0;
};

}  // namespace qw::testing
