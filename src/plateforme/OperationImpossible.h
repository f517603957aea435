#pragma once

#include <stdexcept>
#include <string>

namespace veltrane {

// Échec d'une opération demandée par l'utilisateur : le message français est montré tel quel,
// ou rien quand il est vide (l'utilisateur a lui-même renoncé).
class OperationImpossible : public std::runtime_error {
public:
    OperationImpossible() : std::runtime_error("") {}
    explicit OperationImpossible(const std::string& message) : std::runtime_error(message) {}
    bool aUnMessage() const { return what()[0] != '\0'; }
};

} // namespace veltrane
