#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace veltrane::essai {

// Change une variable d'environnement le temps d'un test, puis remet l'ancienne valeur.
class VariableEnvironnement {
public:
    VariableEnvironnement(std::string nom, const std::optional<std::string>& valeur)
        : nom_(std::move(nom)) {
        if (const char* ancienne = std::getenv(nom_.c_str())) ancienne_ = ancienne;
        if (valeur)
            ::setenv(nom_.c_str(), valeur->c_str(), 1);
        else
            ::unsetenv(nom_.c_str());
    }
    ~VariableEnvironnement() {
        if (ancienne_)
            ::setenv(nom_.c_str(), ancienne_->c_str(), 1);
        else
            ::unsetenv(nom_.c_str());
    }
    VariableEnvironnement(const VariableEnvironnement&) = delete;
    VariableEnvironnement& operator=(const VariableEnvironnement&) = delete;

private:
    std::string nom_;
    std::optional<std::string> ancienne_;
};

} // namespace veltrane::essai
