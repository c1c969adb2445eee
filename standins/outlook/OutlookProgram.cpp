#include "standins/outlook/OutlookProgram.h"

#include "contracts/outlook/Constants.h"
#include "runtime/Guid.h"
#include "standins/outlook/Application.h"
#include "standins/outlook/Instance.h"
#include "standins/outlook/ViewControl.h"
#include "standins/system/System.h"

namespace ostrellix::standin::outlook {

OutlookProgram::OutlookProgram(ClassFactory& factory, system::System& system, Profile& profile, MessageFiles* files)
    : factory_(factory), system_(system), profile_(profile), files_(files) {}

OutlookProgram::~OutlookProgram() {
    factory_.Unregister(ol::kOutlookProgId);
    factory_.Unregister(ol::kViewControlProgId);
    if (!running_) return;
    running_->Run()->Terminate();
    Stopped();
}

void OutlookProgram::Register() {
    factory_.Register(ol::kOutlookProgId, [this] { return ObjectPtr(Start()); });
    factory_.Register(ol::kViewControlProgId, [this] {
        Start();
        return ObjectPtr(std::make_shared<ViewControl>(running_->Run()));
    });
    system_.ProgramTable().Register("Outlook.exe", [this](const std::vector<std::string>&) {
        const bool wasRunning = running_ != nullptr;
        const Ptr<ol::IApplication> outlook = Start();
        if (!wasRunning) {
            outlook->Session()->GetDefaultFolder(ol::olFolderInbox)->GetExplorer(0)->Display();
        }
        return 0;
    });
}

Ptr<ol::IApplication> OutlookProgram::Start() {
    if (running_) return running_;
    auto instance = std::make_shared<Instance>(profile_, files_, system_);
    instance->onQuit = [this] { Stopped(); };
    running_ = std::make_shared<Application>(instance);
    registration_ = system_.RunningObjects().Register(Guid::Parse(ol::kOutlookClassId), running_);
    return running_;
}

Ptr<ol::IApplication> OutlookProgram::Running() const { return running_; }

void OutlookProgram::Stopped() {
    if (registration_) system_.RunningObjects().Revoke(*registration_);
    registration_.reset();
    running_.reset();
}

}  // namespace ostrellix::standin::outlook
