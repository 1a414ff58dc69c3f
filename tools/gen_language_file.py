#!/usr/bin/python3
"""Writes the sample language file sample/Engravix/~PMLang.dat.

One section "AP_" + language name per accepted language name, numeric keys,
saved as UTF-16LE with a byte-order mark: the system's profile reader takes a
file without one in the 8-bit code page, which loses non-Latin text.

The profile reader finds a section whatever its letter case, so "AP_ENGLISH"
(written first) is also the section read for "English"; both carry the same
English texts.

Room on the dialog (see PANEL_LIMITS and LIST_LIMITS): key 1000 about 20
characters; the column headings 1001-1003 about 12, 17 and 30; the panel
labels 1004-1008 six (the label font has a fixed pitch); the hot-area labels
1010-1012 about ten; group captions about 11 and category captions of "R250"
about 11, of other models about 16. A full-width character counts as two.

Run: /usr/bin/python3 tools/gen_language_file.py
"""
import codecs
import os

PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample", "Engravix", "~PMLang.dat")

# Keys in the order below: 1000-1012, 2000-2004, 3000-3006, 3100-3106,
# 3200-3203, 3300-3308.
KEYS = (list(range(1000, 1013)) + list(range(2000, 2005)) + list(range(3000, 3007)) + list(range(3100, 3107))
        + list(range(3200, 3204)) + list(range(3300, 3309)))

ENGLISH = {
    # Greeting, column headings, panel labels, unused air label, hot areas.
    "panel": ["Select a material", "Group", "Category", "Material", "Mode", "Speed", "Power", "PPI", "Res.",
              "Air", "Accept", "Save as", "Cancel"],
    # R250 groups 1-3, an unused fourth name, the one group of other models.
    "groups": ["Engrave", "Photo", "Vector", "Reserved", "Materials"],
    # R250 categories of groups 1 and 2 (the same folders), and of group 3.
    "engrave": ["Cardboard", "Crystal", "Metal", "Plastic", "Rubber", "Various", "Wood"],
    "vector": ["Cutting", "Gifts", "Signs", "Various"],
    # Other models; the ninth name has no folder in the sample.
    "other": ["Board", "Crystal", "Leather", "Plastic", "Rubber", "Stone", "Textile", "Wood", "Metal"],
}

GERMAN = {
    "panel": ["Material auswählen", "Gruppe", "Kategorie", "Material", "Modus", "Tempo", "Leist.", "PPI",
              "Aufl.", "Luft", "Anwenden", "Speichern", "Abbrechen"],
    "groups": ["Gravieren", "Foto", "Vektor", "Reserviert", "Materialien"],
    "engrave": ["Karton", "Kristall", "Metall", "Kunststoff", "Gummi", "Diverses", "Holz"],
    "vector": ["Schneiden", "Geschenke", "Schilder", "Diverses"],
    "other": ["Pappe", "Kristall", "Leder", "Kunststoff", "Gummi", "Stein", "Textil", "Holz", "Metall"],
}

FRENCH = {
    "panel": ["Choisir un matériau", "Groupe", "Catégorie", "Matériau", "Mode", "Vit.", "Puiss.", "PPI",
              "Résol.", "Air", "Valider", "Sauver", "Annuler"],
    "groups": ["Gravure", "Photo", "Vecteur", "Réservé", "Matériaux"],
    "engrave": ["Carton", "Cristal", "Métal", "Plastique", "Caoutchouc", "Divers", "Bois"],
    "vector": ["Découpe", "Cadeaux", "Panneaux", "Divers"],
    "other": ["Carton", "Cristal", "Cuir", "Plastique", "Caoutchouc", "Pierre", "Textile", "Bois", "Métal"],
}

SPANISH = {
    "panel": ["Elija un material", "Grupo", "Categoría", "Material", "Modo", "Veloc.", "Pot.", "PPI",
              "Resol.", "Aire", "Aceptar", "Guardar", "Cancelar"],
    "groups": ["Grabado", "Foto", "Vector", "Reservado", "Materiales"],
    "engrave": ["Cartón", "Cristal", "Metal", "Plástico", "Goma", "Varios", "Madera"],
    "vector": ["Corte", "Regalos", "Rótulos", "Varios"],
    "other": ["Cartón", "Cristal", "Cuero", "Plástico", "Goma", "Piedra", "Textil", "Madera", "Metal"],
}

JAPANESE = {
    "panel": ["素材を選んでください", "グループ", "カテゴリー", "素材", "モード", "速度", "出力", "PPI",
              "解像度", "エアー", "決定", "別名保存", "キャンセル"],
    "groups": ["彫刻", "写真", "ベクター", "予備", "素材"],
    "engrave": ["厚紙", "クリスタル", "金属", "樹脂", "ゴム", "その他", "木材"],
    "vector": ["カット", "ギフト", "看板", "その他"],
    "other": ["厚紙", "クリスタル", "皮革", "樹脂", "ゴム", "石材", "布地", "木材", "金属"],
}

TRADITIONAL_CHINESE = {
    "panel": ["請選擇材料", "群組", "類別", "材料", "模式", "速度", "功率", "PPI", "解析度", "吹氣", "確定",
              "另存新檔", "取消"],
    "groups": ["雕刻", "相片", "向量", "保留", "材料"],
    "engrave": ["紙板", "水晶", "金屬", "塑膠", "橡膠", "其他", "木材"],
    "vector": ["切割", "禮品", "招牌", "其他"],
    "other": ["紙板", "水晶", "皮革", "塑膠", "橡膠", "石材", "布料", "木材", "金屬"],
}

SIMPLIFIED_CHINESE = {
    "panel": ["请选择材料", "分组", "类别", "材料", "模式", "速度", "功率", "PPI", "分辨率", "吹气", "确定",
              "另存为", "取消"],
    "groups": ["雕刻", "照片", "矢量", "保留", "材料"],
    "engrave": ["纸板", "水晶", "金属", "塑料", "橡胶", "其他", "木材"],
    "vector": ["切割", "礼品", "标牌", "其他"],
    "other": ["纸板", "水晶", "皮革", "塑料", "橡胶", "石材", "布料", "木材", "金属"],
}

SECTIONS = [
    ("Traditional Chinese", TRADITIONAL_CHINESE),
    ("Simplified Chinese", SIMPLIFIED_CHINESE),
    ("ENGLISH", ENGLISH),
    ("English", ENGLISH),
    ("German", GERMAN),
    ("Japanese", JAPANESE),
    ("French", FRENCH),
    ("Spanish", SPANISH),
]


def texts(language):
    """The texts of KEYS, in their order."""
    result = language["panel"] + language["groups"] + language["engrave"] + language["engrave"]
    result += language["vector"] + language["other"]
    assert len(result) == len(KEYS)
    return result


def width(text):
    """Display width: full-width characters count as two."""
    return sum(2 if ord(c) >= 0x1100 else 1 for c in text)


# Widest text that fits, by part of the table and (for the panel) entry:
# room in pixels over the eight-pixel character width of the fonts.
PANEL_LIMITS = [20, 12, 17, 29, 6, 6, 6, 6, 6, 6, 10, 10, 10]
LIST_LIMITS = {"groups": 11, "engrave": 11, "vector": 11, "other": 16}


def check(name, language):
    for value, limit in zip(language["panel"], PANEL_LIMITS):
        assert width(value) <= limit, (name, value)
    for part, limit in LIST_LIMITS.items():
        for value in language[part]:
            assert width(value) <= limit, (name, value)
    assert all(value and "\n" not in value and len(value) < 100 for value in texts(language))


def main():
    lines = []
    for name, language in SECTIONS:
        check(name, language)
        lines.append("[AP_%s]" % name)
        lines.extend("%d=%s" % (key, value) for key, value in zip(KEYS, texts(language)))
    data = "\r\n".join(lines) + "\r\n"
    os.makedirs(os.path.dirname(PATH), exist_ok=True)
    with open(PATH, "wb") as f:
        f.write(codecs.BOM_UTF16_LE + data.encode("utf-16-le"))


if __name__ == "__main__":
    main()
