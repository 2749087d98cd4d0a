#include "EsComponentStrings.h"

#include "ClassRegistry.h"
#include "EsBase.h"

namespace kolvo {

namespace {

TEsStringResource* managerStrings = nullptr;
TEsStringResource* componentStrings = nullptr;

} // namespace

TEsStringResource* StringManagerStrings() {
    return managerStrings;
}

TEsStringResource* ComponentStrings() {
    return componentStrings;
}

std::unique_ptr<TEsStringResource> OpenProgramStringTable(HMODULE module, const std::string& name,
                                                          std::string* failure) {
    try {
        return std::make_unique<TEsStringResource>(module, name);
    } catch (const EStringResourceError& error) {
        const std::string line = "Kolvo: string table " + name + ": " + error.what();
        OutputDebugStringA((line + "\n").c_str());
        if (failure != nullptr) {
            *failure = line;
        }
    }
    return nullptr;
}

EsComponentsSession::EsComponentsSession(HMODULE module) {
    std::string failure;
    managerStrings_ = OpenProgramStringTable(module, StringManagerTable, &failure);
    if (!managerStrings_) {
        failures_.push_back(failure);
    }
    managerStrings = managerStrings_.get();
    componentStrings_ = OpenProgramStringTable(module, ComponentStringTable, &failure);
    if (!componentStrings_) {
        failures_.push_back(failure);
    }
    componentStrings = componentStrings_.get();
    if (!IsComponentClassRegistered(AttachedLabelClassName)) {
        RegisterComponentClass(AttachedLabelClassName, [](TComponent* owner) {
            return std::make_unique<TEsAttachedLabel>(owner);
        });
    }
}

EsComponentsSession::~EsComponentsSession() {
    componentStrings = nullptr;
    componentStrings_.reset();
    managerStrings = nullptr;
    managerStrings_.reset();
}

} // namespace kolvo
