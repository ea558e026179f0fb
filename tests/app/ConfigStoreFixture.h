#pragma once
// A program folder of its own, with the main window and the two
// configuration dialogs made and wired as start-up makes them.

#include "core/UNew_Project.h"
#include "core/UConfigStore.h"
#include "core/UOpenConf.h"
#include "app/UQuillmereFirmWare.h"
#include "platform/Files.h"
#include "platform/Seams.h"
#include "tests/core/ProgramStateFixture.h"
#include "tests/common/TestUtil.h"
#include "tests/common/TestSeams.h"

#include <QDir>
#include <algorithm>

class ConfigStoreFixture : public ProgramStateFixture {
protected:
    void SetUp() override
    {
        ProgramStateFixture::SetUp();
        Program_Path = Dir.Path();
        Publish(Main, FQuillmereFirmWare);
        Publish(NewProject, FNew_Project);
        Publish(OpenConf, FOpenConf);
        Set_Program_Folders();
    }

    void TearDown() override
    {
        Withdraw(OpenConf, FOpenConf);
        Withdraw(NewProject, FNew_Project);
        Withdraw(Main, FQuillmereFirmWare);
        ProgramStateFixture::TearDown();
    }

    String Projects() const { return Dir.File(QStringLiteral("PROJECTS")); }
    String Configuration(const String& name) const { return PathJoin(Projects(), name); }
    void Make_Configuration(const String& name) const { ASSERT_TRUE(QDir().mkpath(Configuration(name))); }
    // What PROJECTS holds, sorted, so a test sees whatever a failed step left behind.
    std::vector<String> Projects_Entries() const
    {
        std::vector<String> names;
        for (const QString& n : QDir(Projects()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            names.push_back(n);
        std::sort(names.begin(), names.end());
        return names;
    }
    String Label_Top() const { return Main->L_Name_Conf->Caption(); }
    String Label_Bottom() const { return Main->L_Name_Conf_L2->Caption(); }

    TTestSeams Seams;   // first made, last gone: every window below goes through it
    TempFolder Dir;
    std::unique_ptr<TFQuillmereFirmWare> Main;
    std::unique_ptr<TFNew_Project> NewProject;
    std::unique_ptr<TFOpenConf> OpenConf;
};
