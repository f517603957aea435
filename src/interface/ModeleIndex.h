#pragma once

#include "interface/PlagesIndex.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>

namespace veltrane {

class BaseGenealogique;

// Liste de noms ou de prénoms tirée d'un index des personnes. Une ligne ne coûte que le début
// de sa suite d'entrées ; son texte n'est lu dans la base que lorsqu'une vue l'affiche.
class ModeleIndex : public QAbstractListModel {
    Q_OBJECT

public:
    enum class Champ { Nom, Prenoms };

    ModeleIndex(const BaseGenealogique& base, Champ champ, QObject* parent = nullptr);

    void remplirNoms(const IndexPersonnes& index, bool tetesSeulement);
    void remplirPrenoms(const IndexPersonnes& index, PlageIndex plage);
    void vider();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Texte rangé de la ligne (Windows-1252), avec la règle d'affichage des noms s'il le faut.
    std::string texte(int ligne) const;
    // Ligne de la suite qui contient la position de l'index, ou la plus proche avant elle.
    int ligneDe(std::size_t position) const;
    const PlagesIndex& plages() const { return plages_; }

private:
    template <class Remplir> void remplacer(Remplir&& remplir);

    const BaseGenealogique& base_;
    Champ champ_;
    const IndexPersonnes* index_ = nullptr;
    PlagesIndex plages_;
    mutable QHash<int, QString> textes_;
};

} // namespace veltrane
