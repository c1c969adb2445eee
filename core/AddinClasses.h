#pragma once

#include <string>

#include "contracts/win/ISystem.h"
#include "runtime/ClassFactory.h"

namespace ostrellix::addin {

// The add-in's self-registration: its classes under "KeloOstrellix.*" in
// the class factory, and the platform it runs on (the operating system and
// the folder it was loaded from, where its "translation" folder lies).
class AddinClasses {
public:
    static void Register(ClassFactory& factory, win::ISystem& system, std::string moduleFolder);
};

}  // namespace ostrellix::addin
