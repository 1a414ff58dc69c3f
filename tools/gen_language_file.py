#!/usr/bin/python3
"""Writes the sample language file sample/Engravix/~PMLang.dat.

One section "AP_" + language name per accepted language name, numeric keys,
saved as UTF-16LE with a byte-order mark: the system's profile reader takes a
file without one in the 8-bit code page, which loses non-Latin text.

The profile reader finds a section whatever its letter case, so "AP_ENGLISH"
is also the section read for "English": the file holds it once, since a
second one in other letter case would never be read.

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
# 3200-3203, 3300-3308, 4000-4009 the texts of the custom-material
# commands ("%s" stands for the material's name), 4100-4103 those of the
# tips, 4200-4212 and 4220-4223 those of sharing custom materials, and
# 4230-4231 the refusals of a "Customize" folder too deep to save into,
# 4300-4306 those of a library shared by several stations, and 4400-4403
# the texts of the find box.
KEYS = (list(range(1000, 1013)) + list(range(2000, 2005)) + list(range(3000, 3007)) + list(range(3100, 3107))
        + list(range(3200, 3204)) + list(range(3300, 3309)) + list(range(4000, 4010))
        + list(range(4100, 4104)) + list(range(4200, 4213)) + list(range(4220, 4224)) + list(range(4230, 4232))
        + list(range(4300, 4307)) + list(range(4400, 4404)))

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
    # Menu items Rename and Delete, then the questions and messages of
    # renaming, deleting and saving custom materials.
    "operator": ["Rename", "Delete",
                 'A material named "%s" already exists. Do you want to replace it?',
                 '"%s" is another name of an existing file. Please choose another file name.',
                 "Please choose a resolution before saving.",
                 'Do you want to delete the material "%s"? It will be moved to the Recycle Bin.',
                 '"%s" can\'t be moved to the Recycle Bin. Do you want to delete it for good?',
                 'The material "%s" could not be deleted.',
                 'A material named "%s" already exists. Please choose another name.',
                 'The material "%s" could not be renamed.'],
    # Tips: the texture line of a custom material's tip, then the keys of
    # Accept, Save as and Cancel.
    "tips": ['Texture', 'Key: Enter', 'Key: Ctrl+S', 'Key: Esc'],
    # Sharing: the import summary and its reasons, the question for all, the
    # Import menu item and the open dialog's file type; then the Export menu
    # item, the folder picker's title and the export summary; the refused
    # export folders, and the reasons a file is neither imported nor exported
    # over what is there.
    "sharing": ['Materials imported: %s.',
                'Do the same for the other materials that already exist?',
                'Not imported:',
                '%s: not a material file of this model',
                '%s: not a material file, or its values are out of range',
                "%s: the name can't be used for a material",
                '%s: could not be written',
                'Import...',
                'Material files',
                'Export...',
                'Choose the folder to export the custom materials to.',
                'Materials exported: %s.',
                'They are in %s.',
                "Materials can't be exported into the library itself (%s). Please choose another folder.",
                "Materials can't be exported into the data folder (%s). Please choose another folder.",
                '%s: another name of an existing file there',
                '%s: the material there is read-only'],
    # The refusals of a "Customize" folder whose path leaves no room for the
    # temporary file a save writes first: Save as (the limit at "%s") and one
    # line of the import summary.
    "saves": ["The material can't be saved: the path of the \"Customize\" folder is longer than %s characters.",
              '%s: the path of the "Customize" folder is too long to save into'],
    # A library shared by several stations: a library root that cannot be
    # reached, a loaded material changed or removed elsewhere, a name another
    # station has just taken, and a save whose base was removed meanwhile.
    "shop": ["The library folder %s can't be reached. The window opens without materials.",
             'The material "%s" was changed elsewhere. Your changes in the panel are kept.',
             'The material "%s" was changed elsewhere. The panel now shows its values.',
             'The material "%s" is no longer there: it was removed or renamed elsewhere.',
             'A material named "%s" was just saved elsewhere. Nothing was replaced.',
             '%s: a material of that name was just saved elsewhere',
             'The material "%s" was removed elsewhere. The values shown were saved.'],
    # The find box: the edit's cue, the line under the rows when all that was
    # found is shown and when more was found than shown ("%s" the number),
    # and when nothing was found.
    "find": ["Part of a material's name", 'Materials found: %s', '%s more: type more of the name',
             'No material found']
}

GERMAN = {
    "panel": ["Material auswählen", "Gruppe", "Kategorie", "Material", "Modus", "Tempo", "Leist.", "PPI",
              "Aufl.", "Luft", "Anwenden", "Speichern", "Abbrechen"],
    "groups": ["Gravieren", "Foto", "Vektor", "Reserviert", "Materialien"],
    "engrave": ["Karton", "Kristall", "Metall", "Kunststoff", "Gummi", "Diverses", "Holz"],
    "vector": ["Schneiden", "Geschenke", "Schilder", "Diverses"],
    "other": ["Pappe", "Kristall", "Leder", "Kunststoff", "Gummi", "Stein", "Textil", "Holz", "Metall"],
    "operator": ["Umbenennen", "Löschen",
                 'Ein Material namens "%s" gibt es schon. Möchten Sie es ersetzen?',
                 '"%s" ist ein anderer Name einer vorhandenen Datei. Bitte wählen Sie einen anderen Namen.',
                 "Bitte wählen Sie vor dem Speichern eine Auflösung.",
                 'Möchten Sie das Material "%s" löschen? Es wird in den Papierkorb verschoben.',
                 '"%s" kann nicht in den Papierkorb verschoben werden. Endgültig löschen?',
                 'Das Material "%s" konnte nicht gelöscht werden.',
                 'Ein Material namens "%s" gibt es schon. Bitte wählen Sie einen anderen Namen.',
                 'Das Material "%s" konnte nicht umbenannt werden.'],
    "tips": ['Textur', 'Taste: Eingabe', 'Taste: Strg+S', 'Taste: Esc'],
    "sharing": ['Importierte Materialien: %s.',
                'Für die anderen vorhandenen Materialien ebenso verfahren?',
                'Nicht importiert:',
                '%s: keine Materialdatei dieses Modells',
                '%s: keine Materialdatei, oder Werte außerhalb des Bereichs',
                '%s: der Name ist als Materialname nicht möglich',
                '%s: konnte nicht geschrieben werden',
                'Importieren...',
                'Materialdateien',
                'Exportieren...',
                'Ordner wählen, in den die eigenen Materialien exportiert werden.',
                'Exportierte Materialien: %s.',
                'Sie liegen in %s.',
                'Kein Export in die Bibliothek selbst (%s). Bitte einen anderen Ordner wählen.',
                'Kein Export in den Datenordner (%s). Bitte einen anderen Ordner wählen.',
                '%s: ein anderer Name einer dort vorhandenen Datei',
                '%s: das Material dort ist schreibgeschützt'],
    "saves": ['Das Material kann nicht gespeichert werden: der Pfad des Ordners "Customize" hat über %s Zeichen.',
              '%s: der Pfad des Ordners "Customize" ist zu lang zum Speichern'],
    "shop": ['Der Bibliotheksordner %s ist nicht erreichbar. Das Fenster zeigt keine Materialien.',
             'Das Material "%s" wurde anderswo geändert. Ihre Änderungen im Feld bleiben.',
             'Das Material "%s" wurde anderswo geändert. Das Feld zeigt jetzt seine Werte.',
             'Das Material "%s" ist nicht mehr da: es wurde anderswo gelöscht oder umbenannt.',
             'Ein Material namens "%s" wurde eben anderswo gespeichert. Nichts wurde ersetzt.',
             '%s: ein Material dieses Namens wurde eben anderswo gespeichert',
             'Das Material "%s" wurde anderswo gelöscht. Die gezeigten Werte wurden gespeichert.'],
    "find": ['Teil eines Materialnamens', 'Gefundene Materialien: %s', '%s weitere: mehr eingeben',
             'Kein Material gefunden']
}

FRENCH = {
    "panel": ["Choisir un matériau", "Groupe", "Catégorie", "Matériau", "Mode", "Vit.", "Puiss.", "PPI",
              "Résol.", "Air", "Valider", "Sauver", "Annuler"],
    "groups": ["Gravure", "Photo", "Vecteur", "Réservé", "Matériaux"],
    "engrave": ["Carton", "Cristal", "Métal", "Plastique", "Caoutchouc", "Divers", "Bois"],
    "vector": ["Découpe", "Cadeaux", "Panneaux", "Divers"],
    "other": ["Carton", "Cristal", "Cuir", "Plastique", "Caoutchouc", "Pierre", "Textile", "Bois", "Métal"],
    "operator": ["Renommer", "Supprimer",
                 'Un matériau nommé "%s" existe déjà. Voulez-vous le remplacer ?',
                 '"%s" est un autre nom d\'un fichier existant. Veuillez choisir un autre nom.',
                 "Veuillez choisir une résolution avant d'enregistrer.",
                 'Voulez-vous supprimer le matériau "%s" ? Il ira dans la Corbeille.',
                 '"%s" ne peut pas aller dans la Corbeille. Le supprimer définitivement ?',
                 'Le matériau "%s" n\'a pas pu être supprimé.',
                 'Un matériau nommé "%s" existe déjà. Veuillez choisir un autre nom.',
                 'Le matériau "%s" n\'a pas pu être renommé.'],
    "tips": ['Texture', 'Touche : Entrée', 'Touche : Ctrl+S', 'Touche : Échap'],
    "sharing": ['Matériaux importés : %s.',
                'Faire de même pour les autres matériaux qui existent déjà ?',
                'Non importés :',
                '%s : pas un fichier de matériau de ce modèle',
                '%s : pas un fichier de matériau, ou valeurs hors limites',
                '%s : ce nom ne peut pas servir de nom de matériau',
                "%s : n'a pas pu être écrit",
                'Importer...',
                'Fichiers de matériau',
                'Exporter...',
                'Choisissez le dossier où exporter les matériaux personnalisés.',
                'Matériaux exportés : %s.',
                'Ils se trouvent dans %s.',
                "Impossible d'exporter dans la bibliothèque elle-même (%s). Choisissez un autre dossier.",
                "Impossible d'exporter dans le dossier de données (%s). Choisissez un autre dossier.",
                "%s : autre nom d'un fichier qui s'y trouve déjà",
                "%s : le matériau qui s'y trouve est en lecture seule"],
    "saves": ['Impossible d\'enregistrer : le chemin du dossier "Customize" dépasse %s caractères.',
              '%s : le chemin du dossier "Customize" est trop long pour y enregistrer'],
    "shop": ["Le dossier de la bibliothèque %s est inaccessible. La fenêtre s'ouvre sans matériaux.",
             'Le matériau "%s" a été modifié ailleurs. Vos modifications sont conservées.',
             'Le matériau "%s" a été modifié ailleurs. Le panneau montre ses valeurs.',
             "Le matériau \"%s\" n'est plus là : il a été supprimé ou renommé ailleurs.",
             'Un matériau nommé "%s" vient d\'être enregistré ailleurs. Rien n\'a été remplacé.',
             "%s : un matériau de ce nom vient d'être enregistré ailleurs",
             'Le matériau "%s" a été supprimé ailleurs. Les valeurs affichées ont été enregistrées.'],
    "find": ["Partie du nom d'un matériau", 'Matériaux trouvés : %s', '%s de plus : tapez plus du nom',
             'Aucun matériau trouvé']
}

SPANISH = {
    "panel": ["Elija un material", "Grupo", "Categoría", "Material", "Modo", "Veloc.", "Pot.", "PPI",
              "Resol.", "Aire", "Aceptar", "Guardar", "Cancelar"],
    "groups": ["Grabado", "Foto", "Vector", "Reservado", "Materiales"],
    "engrave": ["Cartón", "Cristal", "Metal", "Plástico", "Goma", "Varios", "Madera"],
    "vector": ["Corte", "Regalos", "Rótulos", "Varios"],
    "other": ["Cartón", "Cristal", "Cuero", "Plástico", "Goma", "Piedra", "Textil", "Madera", "Metal"],
    "operator": ["Cambiar nombre", "Eliminar",
                 'Ya existe un material llamado "%s". ¿Desea reemplazarlo?',
                 '"%s" es otro nombre de un archivo existente. Elija otro nombre de archivo.',
                 "Elija una resolución antes de guardar.",
                 '¿Desea eliminar el material "%s"? Se moverá a la Papelera de reciclaje.',
                 '"%s" no se puede mover a la Papelera de reciclaje. ¿Eliminarlo definitivamente?',
                 'No se pudo eliminar el material "%s".',
                 'Ya existe un material llamado "%s". Elija otro nombre.',
                 'No se pudo cambiar el nombre del material "%s".'],
    "tips": ['Textura', 'Tecla: Intro', 'Tecla: Ctrl+S', 'Tecla: Esc'],
    "sharing": ['Materiales importados: %s.',
                '¿Hacer lo mismo con los demás materiales que ya existen?',
                'No importados:',
                '%s: no es un archivo de material de este modelo',
                '%s: no es un archivo de material, o sus valores están fuera de rango',
                '%s: el nombre no se puede usar para un material',
                '%s: no se pudo escribir',
                'Importar...',
                'Archivos de material',
                'Exportar...',
                'Elija la carpeta a la que exportar los materiales personalizados.',
                'Materiales exportados: %s.',
                'Están en %s.',
                'No se puede exportar a la propia biblioteca (%s). Elija otra carpeta.',
                'No se puede exportar a la carpeta de datos (%s). Elija otra carpeta.',
                '%s: otro nombre de un archivo que ya está allí',
                '%s: el material que está allí es de solo lectura'],
    "saves": ['No se puede guardar: la ruta de la carpeta "Customize" tiene más de %s caracteres.',
              '%s: la ruta de la carpeta "Customize" es demasiado larga para guardar'],
    "shop": ['No se puede acceder a la carpeta de la biblioteca %s. La ventana se abre sin materiales.',
             'El material "%s" se cambió en otro lugar. Sus cambios en el panel se conservan.',
             'El material "%s" se cambió en otro lugar. El panel muestra ahora sus valores.',
             'El material "%s" ya no está: se eliminó o se renombró en otro lugar.',
             'Un material llamado "%s" se acaba de guardar en otro lugar. No se reemplazó nada.',
             '%s: un material con ese nombre se acaba de guardar en otro lugar',
             'El material "%s" se eliminó en otro lugar. Se guardaron los valores mostrados.'],
    "find": ['Parte del nombre de un material', 'Materiales encontrados: %s', '%s más: escriba más del nombre',
             'No se encontró ningún material']
}

JAPANESE = {
    "panel": ["素材を選んでください", "グループ", "カテゴリー", "素材", "モード", "速度", "出力", "PPI",
              "解像度", "エアー", "決定", "別名保存", "キャンセル"],
    "groups": ["彫刻", "写真", "ベクター", "予備", "素材"],
    "engrave": ["厚紙", "クリスタル", "金属", "樹脂", "ゴム", "その他", "木材"],
    "vector": ["カット", "ギフト", "看板", "その他"],
    "other": ["厚紙", "クリスタル", "皮革", "樹脂", "ゴム", "石材", "布地", "木材", "金属"],
    "operator": ["名前の変更", "削除",
                 "素材「%s」は既にあります。置き換えますか?",
                 "「%s」は既存のファイルの別名です。別のファイル名を選んでください。",
                 "保存する前に解像度を選んでください。",
                 "素材「%s」を削除しますか?ごみ箱に移動されます。",
                 "「%s」はごみ箱に移動できません。完全に削除しますか?",
                 "素材「%s」を削除できませんでした。",
                 "素材「%s」は既にあります。別の名前を選んでください。",
                 "素材「%s」の名前を変更できませんでした。"],
    "tips": ['テクスチャ', 'キー: Enter', 'キー: Ctrl+S', 'キー: Esc'],
    "sharing": ['インポートした素材: %s。',
                '既にある他の素材にも同じようにしますか?',
                'インポートしなかったもの:',
                '%s: このモデルの素材ファイルではありません',
                '%s: 素材ファイルではないか、値が範囲外です',
                '%s: この名前は素材に使えません',
                '%s: 書き込めませんでした',
                'インポート...',
                '素材ファイル',
                'エクスポート...',
                'カスタム素材のエクスポート先フォルダーを選んでください。',
                'エクスポートした素材: %s。',
                '保存先: %s',
                'ライブラリ自体 (%s) にはエクスポートできません。別のフォルダーを選んでください。',
                'データフォルダー (%s) にはエクスポートできません。別のフォルダーを選んでください。',
                '%s: そこにある既存のファイルの別名です',
                '%s: そこにある素材は読み取り専用です'],
    "saves": ['保存できません:「Customize」フォルダーのパスが %s 文字を超えています。',
              '%s: 「Customize」フォルダーのパスが長すぎて保存できません'],
    "shop": ['ライブラリフォルダー %s にアクセスできません。素材なしでウィンドウを開きます。',
             '素材「%s」は他の場所で変更されました。パネルの変更はそのままです。',
             '素材「%s」は他の場所で変更されました。パネルにその値を表示しています。',
             '素材「%s」はもうありません。他の場所で削除または名前変更されました。',
             '素材「%s」が他の場所で保存されたところです。何も置き換えていません。',
             '%s: この名前の素材が他の場所で保存されたところです',
             '素材「%s」は他の場所で削除されました。表示中の値を保存しました。'],
    "find": ['素材名の一部を入力', '見つかった素材: %s', '他 %s 件: 名前を続けて入力', '素材が見つかりません']
}

TRADITIONAL_CHINESE = {
    "panel": ["請選擇材料", "群組", "類別", "材料", "模式", "速度", "功率", "PPI", "解析度", "吹氣", "確定",
              "另存新檔", "取消"],
    "groups": ["雕刻", "相片", "向量", "保留", "材料"],
    "engrave": ["紙板", "水晶", "金屬", "塑膠", "橡膠", "其他", "木材"],
    "vector": ["切割", "禮品", "招牌", "其他"],
    "other": ["紙板", "水晶", "皮革", "塑膠", "橡膠", "石材", "布料", "木材", "金屬"],
    "operator": ["重新命名", "刪除",
                 "材料「%s」已存在。要取代它嗎?",
                 "「%s」是現有檔案的另一個名稱。請選擇其他檔名。",
                 "儲存前請選擇解析度。",
                 "要刪除材料「%s」嗎?它將移至資源回收筒。",
                 "「%s」無法移至資源回收筒。要永久刪除嗎?",
                 "無法刪除材料「%s」。",
                 "材料「%s」已存在。請選擇其他名稱。",
                 "無法重新命名材料「%s」。"],
    "tips": ['材質', '按鍵: Enter', '按鍵: Ctrl+S', '按鍵: Esc'],
    "sharing": ['已匯入材料: %s。',
                '對其他已存在的材料也這樣處理嗎?',
                '未匯入:',
                '%s: 不是此機型的材料檔',
                '%s: 不是材料檔,或數值超出範圍',
                '%s: 此名稱不能作為材料名稱',
                '%s: 無法寫入',
                '匯入...',
                '材料檔',
                '匯出...',
                '請選擇匯出自訂材料的資料夾。',
                '已匯出材料: %s。',
                '位置: %s',
                '無法匯出到材料庫本身 (%s)。請選擇其他資料夾。',
                '無法匯出到資料資料夾 (%s)。請選擇其他資料夾。',
                '%s: 是該處現有檔案的另一個名稱',
                '%s: 該處的材料為唯讀'],
    "saves": ['無法儲存:「Customize」資料夾的路徑超過 %s 個字元。',
              '%s: 「Customize」資料夾的路徑太長,無法儲存'],
    "shop": ['無法存取材料庫資料夾 %s。視窗將不含材料開啟。',
             '材料「%s」已在其他地方變更。面板中的變更會保留。',
             '材料「%s」已在其他地方變更。面板現在顯示它的數值。',
             '材料「%s」已不存在:它已在其他地方刪除或重新命名。',
             '材料「%s」剛在其他地方儲存。未取代任何檔案。',
             '%s: 同名的材料剛在其他地方儲存',
             '材料「%s」已在其他地方刪除。已儲存顯示的數值。'],
    "find": ['輸入材料名稱的一部分', '找到的材料: %s', '另有 %s 項: 請輸入更多名稱', '找不到材料']
}

SIMPLIFIED_CHINESE = {
    "panel": ["请选择材料", "分组", "类别", "材料", "模式", "速度", "功率", "PPI", "分辨率", "吹气", "确定",
              "另存为", "取消"],
    "groups": ["雕刻", "照片", "矢量", "保留", "材料"],
    "engrave": ["纸板", "水晶", "金属", "塑料", "橡胶", "其他", "木材"],
    "vector": ["切割", "礼品", "标牌", "其他"],
    "other": ["纸板", "水晶", "皮革", "塑料", "橡胶", "石材", "布料", "木材", "金属"],
    "operator": ["重命名", "删除",
                 "材料“%s”已存在。要替换它吗?",
                 "“%s”是现有文件的另一个名称。请选择其他文件名。",
                 "保存前请选择分辨率。",
                 "要删除材料“%s”吗?它将被移到回收站。",
                 "“%s”无法移到回收站。要永久删除吗?",
                 "无法删除材料“%s”。",
                 "材料“%s”已存在。请选择其他名称。",
                 "无法重命名材料“%s”。"],
    "tips": ['材质', '按键: Enter', '按键: Ctrl+S', '按键: Esc'],
    "sharing": ['已导入材料: %s。',
                '对其他已存在的材料也这样处理吗?',
                '未导入:',
                '%s: 不是此型号的材料文件',
                '%s: 不是材料文件,或数值超出范围',
                '%s: 此名称不能用作材料名称',
                '%s: 无法写入',
                '导入...',
                '材料文件',
                '导出...',
                '请选择导出自定义材料的文件夹。',
                '已导出材料: %s。',
                '位置: %s',
                '无法导出到材料库本身 (%s)。请选择其他文件夹。',
                '无法导出到数据文件夹 (%s)。请选择其他文件夹。',
                '%s: 是该处现有文件的另一个名称',
                '%s: 该处的材料为只读'],
    "saves": ['无法保存:“Customize”文件夹的路径超过 %s 个字符。',
              '%s: “Customize”文件夹的路径太长,无法保存'],
    "shop": ['无法访问材料库文件夹 %s。窗口将不含材料打开。',
             '材料“%s”已在其他地方更改。面板中的更改会保留。',
             '材料“%s”已在其他地方更改。面板现在显示它的数值。',
             '材料“%s”已不存在:它已在其他地方删除或重命名。',
             '材料“%s”刚在其他地方保存。未替换任何文件。',
             '%s: 同名的材料刚在其他地方保存',
             '材料“%s”已在其他地方删除。已保存显示的数值。'],
    "find": ['输入材料名称的一部分', '找到的材料: %s', '另有 %s 项: 请输入更多名称', '找不到材料']
}

SECTIONS = [
    ("Traditional Chinese", TRADITIONAL_CHINESE),
    ("Simplified Chinese", SIMPLIFIED_CHINESE),
    ("ENGLISH", ENGLISH),
    ("German", GERMAN),
    ("Japanese", JAPANESE),
    ("French", FRENCH),
    ("Spanish", SPANISH),
]


def texts(language):
    """The texts of KEYS, in their order."""
    result = language["panel"] + language["groups"] + language["engrave"] + language["engrave"]
    result += language["vector"] + language["other"] + language["operator"] + language["tips"] + language["sharing"]
    result += language["saves"] + language["shop"] + language["find"]
    assert len(result) == len(KEYS)
    return result


def width(text):
    """Display width: full-width characters count as two."""
    return sum(2 if ord(c) >= 0x1100 else 1 for c in text)


# Widest text that fits, by part of the table and (for the panel) entry:
# room in pixels over the eight-pixel character width of the fonts.
PANEL_LIMITS = [20, 12, 17, 29, 6, 6, 6, 6, 6, 6, 10, 10, 10]
LIST_LIMITS = {"groups": 11, "engrave": 11, "vector": 11, "other": 16}
# The find box's edit and its line under the rows, a number of up to six
# digits in place of "%s".
FIND_LIMIT = 34


def check(name, language):
    for value, limit in zip(language["panel"], PANEL_LIMITS):
        assert width(value) <= limit, (name, value)
    for part, limit in LIST_LIMITS.items():
        for value in language[part]:
            assert width(value) <= limit, (name, value)
    for value in language["find"]:
        assert width(value.replace("%s", "123456")) <= FIND_LIMIT, (name, value)
    assert all(value and "\n" not in value and len(value) < 100 for value in texts(language))
    # The program fills in the name at each "%s"; a menu item has none.
    assert all(value.count("%s") == english.count("%s")
               for part in ("operator", "tips", "sharing", "saves", "shop", "find")
               for value, english in zip(language[part], ENGLISH[part])), name


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
