#include "OrvikPlayer/win32/WindowSet.h"

#include "app/win32/Application.h"
#include "encoding/win32/AacForm.h"
#include "encoding/win32/FaceSwitcher.h"
#include "encoding/win32/GoGoForm.h"
#include "encoding/win32/LameVorbisForm.h"
#include "encoding/win32/WmaForm.h"
#include "playback/win32/PlayerForm.h"
#include "shell/win32/MainForm.h"

namespace orvik {

WindowSet::WindowSet() : faces_(std::make_unique<FaceSwitcher>()), main_(std::make_unique<MainForm>()) {
    // The user sees the main window as soon as it is whole and painted; the
    // other five follow, hidden, before any message is dispatched.
    Application::Instance().ShowMainAtStart();
    player_ = std::make_unique<PlayerForm>(main_->Media());
    lameVorbis_ = std::make_unique<LameVorbisForm>();
    goGo_ = std::make_unique<GoGoForm>();
    aac_ = std::make_unique<AacForm>();
    wma_ = std::make_unique<WmaForm>();
    main_->Connect(*player_, *lameVorbis_);
    lameVorbis_->Connect(*faces_, *wma_);
    goGo_->Connect(*faces_);
    aac_->Connect(*faces_);
    wma_->Connect(*faces_);
}

WindowSet::~WindowSet() {
    wma_.reset();
    aac_.reset();
    goGo_.reset();
    lameVorbis_.reset();
    player_.reset();
    main_.reset();
}

}  // namespace orvik
