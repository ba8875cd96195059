<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="hu_HU">
<context>
    <name>AboutArt</name>
    <message>
        <source>Verzió %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Háttérkép-kezelő program</source>
        <translation>Wallpaper library</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>Használat: %1 &lt;mappa&gt; &lt;alap URL&gt; [csomaglista file]
</source>
        <translation>Usage: %1 &lt;folder&gt; &lt;base URL&gt; [catalogue file]
</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomaglista nem írható: %2</source>
        <translation>The catalogue &quot;%1&quot; cannot be written: %2</translation>
    </message>
    <message>
        <source>%1 csomag: %2
</source>
        <translation>%1 package(s): %2
</translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>A háttérkép nem állítható be, mert a sway nem tudja átvenni ezt az útvonalat: %1</source>
        <translation>The wallpaper cannot be set because sway cannot take this path: %1</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be, mert nem futott le ez a parancs: %1 (nincs telepítve, vagy nem fut a munkamenete).</source>
        <translation>The wallpaper cannot be set because this command did not run: %1 (it is not installed, or its session is not running).</translation>
    </message>
    <message>
        <source>Nincs grafikus felület (sem a DISPLAY, sem a WAYLAND_DISPLAY nincs beállítva), ezért a háttérkép nem állítható be.</source>
        <translation>There is no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the wallpaper cannot be set.</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be, mert egy Plasma asztal sem vette át (nem fut a plasmashell, nincs asztala, vagy hiányzik a gdbus).</source>
        <translation>The wallpaper cannot be set because no Plasma desktop took it (plasmashell is not running, has no desktop, or gdbus is missing).</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be, mert nem indult el a swaybg program (nincs telepítve?); e nélkül ezen a Wayland-felületen nincs háttérkép.</source>
        <translation>The wallpaper cannot be set because the swaybg program did not start (is it installed?); without it there is no wallpaper on this Wayland desktop.</translation>
    </message>
    <message>
        <source>Még nem volt beállítva háttérkép, nincs mit visszaállítani.</source>
        <translation>No wallpaper has been set yet, so there is nothing to restore.</translation>
    </message>
    <message>
        <source>Nincs meg a háttérkép fájlja: %1.</source>
        <translation>The wallpaper file is missing: %1.</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be, mert a képe nem olvasható: %1</source>
        <translation>The wallpaper cannot be set because its picture cannot be read: %1</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be, mert nem érhető el a(z) %1 X-kijelző.</source>
        <translation>The wallpaper cannot be set because the X display %1 cannot be reached.</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be: a kijelző színmélysége nem támogatott.</source>
        <translation>The wallpaper cannot be set: the display&apos;s color depth is not supported.</translation>
    </message>
    <message>
        <source>A háttérkép nem állítható be, mert az XFCE asztalnak nincs egy monitora sem (nem érhető el az X kiszolgáló).</source>
        <translation>The wallpaper cannot be set because the XFCE desktop has no monitor (the X server cannot be reached).</translation>
    </message>
</context>
<context>
    <name>FolderOffer</name>
    <message>
        <source>... és még %1 kép</source>
        <translation>... and %1 more pictures</translation>
    </message>
    <message>
        <source>A(z) %1 mappában nincs JPEG kép (*.jpg), ezért csoport nem hozható létre.</source>
        <translation>The folder %1 holds no JPEG picture (*.jpg), so no group can be made of it.</translation>
    </message>
    <message>
        <source>Létrehozzam a(z) %1 csoportot a mappa %2 képéből?</source>
        <translation>Shall I make the group %1 of the folder&apos;s %2 pictures?</translation>
    </message>
    <message>
        <source>Megerősítés</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Képek másolása: %1 / %2</source>
        <translation>Copying pictures: %1 / %2</translation>
    </message>
    <message>
        <source>A(z) %1 mappa képei közül egy sem olvasható, ezért a csoport nem jött létre.%2</source>
        <translation>None of the pictures of the folder %1 can be read, so the group was not made.%2</translation>
    </message>
    <message>
        <source>A(z) %1 csoport elkészült. Ezek a képek nem olvashatók, kimaradtak:%2</source>
        <translation>The group %1 is ready. These pictures cannot be read and were left out:%2</translation>
    </message>
</context>
<context>
    <name>Library</name>
    <message>
        <source>Megerősítés</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Nem létező könyvtár a zolvera.lst file-ban. Törölve.</source>
        <translation>A folder listed in zolvera.lst does not exist. It was removed from the list.</translation>
    </message>
    <message>
        <source>További %1 nem létező könyvtár a zolvera.lst file-ban. Törölve.</source>
        <translation>%1 more folders listed in zolvera.lst do not exist. They were removed from the list.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csoport nem törölhető, mert a könyvtára szimbolikus link, amely a képtáron kívülre mutathat.</source>
        <translation>The group &quot;%1&quot; cannot be deleted because its folder is a symbolic link, which may point outside the library.</translation>
    </message>
    <message>
        <source>Valóban töröljem a %1 csoportot?</source>
        <translation>Do you really want to delete the group %1?</translation>
    </message>
    <message>
        <source>Csoport eltávolítása kész.</source>
        <translation>The group has been removed.</translation>
    </message>
    <message>
        <source>A(z) %1 csoportban már van %2 nevű kép. Felülírjam?</source>
        <translation>The group %1 already has a picture named %2. Overwrite it?</translation>
    </message>
    <message>
        <source>Töröljem a %1 képet?</source>
        <translation>Delete the picture %1?</translation>
    </message>
    <message>
        <source>A képtárat most egy másik ablak vagy program használja, ezért a módosítás elmaradt.</source>
        <translation>The library is in use by another window or program right now, so the change was not made.</translation>
    </message>
</context>
<context>
    <name>LogoArt</name>
    <message>
        <source>Háttérkép-kezelő program</source>
        <translation>Wallpaper library</translation>
    </message>
</context>
<context>
    <name>MainLayout</name>
    <message>
        <source>Új csoport létrehozás</source>
        <translation>New Group</translation>
    </message>
    <message>
        <source>Csoport törlése</source>
        <translation>Delete Group</translation>
    </message>
    <message>
        <source>Csomag készítése csoportból</source>
        <translation>Make Package from Group</translation>
    </message>
    <message>
        <source>Már letöltött csomag telepítése</source>
        <translation>Install Downloaded Package</translation>
    </message>
    <message>
        <source>Csomag letöltése Internetről</source>
        <translation>Download Package from the Internet</translation>
    </message>
    <message>
        <source>Bezár</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Kép hozzáadása</source>
        <translation>Add Picture</translation>
    </message>
    <message>
        <source>Kép törlése</source>
        <translation>Delete Picture</translation>
    </message>
    <message>
        <source>Diavetítés</source>
        <translation>Slideshow</translation>
    </message>
    <message>
        <source>Beállítások</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Súgó</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ervolt honlapja</source>
        <translation>Ervolt Website</translation>
    </message>
    <message>
        <source>Levélküldés Ervoltnak</source>
        <translation>Email Ervolt</translation>
    </message>
    <message>
        <source>Újdonságok az Interneten</source>
        <translation>What&apos;s New on the Internet</translation>
    </message>
    <message>
        <source>Névjegy</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Csoportok</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>Képek</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>Rendszer</source>
        <translation>System</translation>
    </message>
    <message>
        <source>A képtár még üres.

Új csoportot a Csoportok menü „Új csoport létrehozás” parancsával hozhat létre, vagy húzzon egy képeket tartalmazó mappát a bal oldali oszlopra.

Kész csoportot csomagból is kaphat: „Már letöltött csomag telepítése” vagy „Csomag letöltése Internetről”.</source>
        <translation>The library is still empty.

Make a new group with “New Group” in the Groups menu, or drag a folder of pictures onto the column on the left.

A ready-made group also comes from a package: “Install Downloaded Package” or “Download Package from the Internet”.</translation>
    </message>
</context>
<context>
    <name>Net</name>
    <message>
        <source>A letöltés megszakítva.</source>
        <translation>The download was canceled.</translation>
    </message>
    <message>
        <source>Túl lassú átvitel: %1 másodperc után átlagosan kevesebb mint %2 bájt érkezett másodpercenként.</source>
        <translation>Transfer too slow: after %1 seconds, fewer than %2 bytes per second arrived on average.</translation>
    </message>
    <message>
        <source>Túl sok átmeneti (1xx) válasz érkezett.</source>
        <translation>Too many interim (1xx) replies arrived.</translation>
    </message>
    <message>
        <source>A válasz nagyobb a megengedett %1 bájtnál.</source>
        <translation>The reply is larger than the allowed %1 bytes.</translation>
    </message>
    <message>
        <source>Hibás HTTP-válasz: %1.</source>
        <translation>Invalid HTTP reply: %1.</translation>
    </message>
    <message>
        <source>A kapcsolat a válasz vége előtt megszakadt.</source>
        <translation>Connection closed before the reply was complete.</translation>
    </message>
    <message>
        <source>A válasz egyik darabjának fejsora túl hosszú.</source>
        <translation>Reply chunk line too long.</translation>
    </message>
    <message>
        <source>Hibás webcím: %1</source>
        <translation>Invalid URL: %1</translation>
    </message>
    <message>
        <source>Nem támogatott protokoll: %1.</source>
        <translation>Unsupported protocol: %1.</translation>
    </message>
    <message>
        <source>A válasz egyik fejlécsora túl hosszú.</source>
        <translation>Reply header line too long.</translation>
    </message>
    <message>
        <source>A válasz fejléce túl nagy.</source>
        <translation>Reply header too large.</translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message>
        <source>A(z) &quot;%1&quot; csomag telepítése...</source>
        <translation>Installing the package &quot;%1&quot;...</translation>
    </message>
    <message>
        <source>Csomag telepítése</source>
        <translation>Installing a package</translation>
    </message>
</context>
<context>
    <name>Packages</name>
    <message>
        <source>Hibás csomagméret a listában: &quot;%1&quot;</source>
        <translation>Invalid package size in the catalogue: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Tabulátor vagy sortörés nem állhat a csomaglista mezőjében: &quot;%1&quot;</source>
        <translation>A field of the catalogue cannot contain a tab or a line break: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>A csomaglista mezője nem írható Windows-1250 kódolással: &quot;%1&quot;</source>
        <translation>A field of the catalogue cannot be written in the Windows-1250 encoding: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; mappa nem olvasható: %2</source>
        <translation>The folder &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag nem olvasható: %2</source>
        <translation>The package &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag sérült: a csoport neve nem olvasható.</source>
        <translation>The package &quot;%1&quot; is damaged: its group name cannot be read.</translation>
    </message>
    <message>
        <source>Az Internet.tmp nem nevezhető át Internet.txt névre</source>
        <translation>Internet.tmp cannot be renamed to Internet.txt</translation>
    </message>
    <message>
        <source>Megerősítés</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>A csomag kibontása kész.</source>
        <translation>The package has been installed.</translation>
    </message>
    <message>
        <source>Telepítsem a %1 csomagot?</source>
        <translation>Install the package %1?</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag telepítése leállt, mert kérték.</source>
        <translation>Installing the package &quot;%1&quot; was stopped on request.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag telepítése nem sikerült: %2.</source>
        <translation>The package &quot;%1&quot; could not be installed: %2.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag sérült vagy hiányos, a telepítés a hibás résznél megszakadt.</source>
        <translation>The package &quot;%1&quot; is damaged or incomplete; the installation stopped at the damaged part.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag csoportneve nem használható könyvtárnévként, a csomag nem telepíthető.</source>
        <translation>The group name of the package &quot;%1&quot; cannot be used as a folder name; the package cannot be installed.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag nem telepíthető, mert a(z) &quot;%2&quot; csoport könyvtára szimbolikus link.</source>
        <translation>The package &quot;%1&quot; cannot be installed because the folder of the group &quot;%2&quot; is a symbolic link.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag nem telepíthető, mert a(z) &quot;%2&quot; csoport könyvtára nem hozható létre.</source>
        <translation>The package &quot;%1&quot; cannot be installed because the folder of the group &quot;%2&quot; cannot be created.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag nem telepíthető, mert több mint %2 fájlt tartalmaz.</source>
        <translation>The package &quot;%1&quot; cannot be installed because it contains more than %2 files.</translation>
    </message>
    <message>
        <source> és még %1 további</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag ezen fájljai nem települtek, mert a nevük nem használható, vagy a helyükön nem közönséges fájl áll: %2.</source>
        <translation>These files of the package &quot;%1&quot; were not installed because their names cannot be used or something other than a regular file stands in their place: %2.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; neve nem tehető csomagba: 1–100 karakteres, a közép-európai (Windows-1250) kódlapon ábrázolható név kell, \ és : jel, valamint vezérlőkarakter nélkül.</source>
        <translation>The name of &quot;%1&quot; cannot go into a package: it must be 1–100 characters long, representable in the Central European (Windows-1250) code page, and free of \, : and control characters.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; kép nagyobb %2 bájtnál, ezért nem tehető csomagba.</source>
        <translation>The picture &quot;%1&quot; is larger than %2 bytes, so it cannot go into a package.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; kép nem méretezhető át, ezért a csomag nem készült el: %2</source>
        <translation>The picture &quot;%1&quot; cannot be resized, so the package was not made: %2</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; kép csomagolás közben megváltozott, ezért a csomag nem készült el.</source>
        <translation>The picture &quot;%1&quot; changed while it was being packed, so the package was not made.</translation>
    </message>
    <message>
        <source>Nem található az &quot;init.jpg&quot; állomány, anélkül csomag nem hozható létre.</source>
        <translation>The file &quot;init.jpg&quot; was not found; a package cannot be made without it.</translation>
    </message>
    <message>
        <source>A csomagba szánt képek közül %1 nagyobb %2 bájtnál. Átméretezzem őket, hogy beférjenek a csomagba? Az eredeti képek nem változnak.</source>
        <translation>Of the pictures meant for the package, %1 are larger than %2 bytes. Resize them so that they fit into the package? The original pictures do not change.</translation>
    </message>
    <message>
        <source>%1 kép átméretezve (legkisebb: %2 × %3)</source>
        <translation>%1 picture(s) resized (smallest: %2 × %3)</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; kép átméretezett másolata nem írható a csomagba, ezért a csomag nem készült el: %2</source>
        <translation>The resized copy of the picture &quot;%1&quot; cannot be written into the package, so the package was not made: %2</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag készítése leállt, mert kérték.</source>
        <translation>Making the package &quot;%1&quot; was stopped on request.</translation>
    </message>
</context>
<context>
    <name>Seged</name>
    <message>
        <source>Hiba</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Üzenet</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>A képtár már nyitva van egy másik Zolvera-ablakban, amely most nem válaszol.</source>
        <translation>The library is already open in another Zolvera window, which is not responding right now.</translation>
    </message>
    <message>
        <source> A csomag telepítését az az ablak ajánlja fel, amint újra válaszol.</source>
        <translation> That window will offer to install the package as soon as it responds again.</translation>
    </message>
</context>
<context>
    <name>WallpaperTool</name>
    <message>
        <source>Nincs ilyen csoport: %1.</source>
        <translation>No such group: %1.</translation>
    </message>
    <message>
        <source>Üres csoport: %1.</source>
        <translation>Empty group: %1.</translation>
    </message>
    <message>
        <source>Az időzítő nem állítható be, mert ez a szöveg nem írható a systemd egységfájljába: %1</source>
        <translation>The timer cannot be set because this text cannot be written into a systemd unit file: %1</translation>
    </message>
    <message>
        <source>A systemd nem fogadta el az időzítőt (%1); a korábbi beállítás maradt érvényben.</source>
        <translation>systemd did not accept the timer (%1); the previous setting remains in effect.</translation>
    </message>
    <message>
        <source>Az időzítő fájlja nem törölhető: %1.</source>
        <translation>The timer&apos;s file cannot be deleted: %1.</translation>
    </message>
    <message>
        <source>Használat:
  zolvera-wallpaper set KÉP             a KÉP (JPEG-fájl) lesz a háttérkép
  zolvera-wallpaper next CSOPORT        a csoport következő képe lesz a háttérkép
  zolvera-wallpaper random CSOPORT      a csoport egy másik, véletlen képe lesz a háttérkép
  zolvera-wallpaper restore             a legutóbbi háttérkép újra megjelenik (például
                                        bejelentkezéskor, ahol az asztal nem őrzi meg)
  zolvera-wallpaper groups              a csoportok, soronként egy
  zolvera-wallpaper rotate CSOPORT IDŐKÖZ [--random]
                                        IDŐKÖZönként (legalább 1s; például 30min, 1h)
                                        a csoport következő (vagy véletlen) képe
                                        lesz a háttérkép
  zolvera-wallpaper rotate --stop       az időzítő leállítása
  zolvera-wallpaper --help              ez a súgó
  zolvera-wallpaper --version           a program változata

A csoport nevében a kis- és nagybetű mindegy. A csoport olvashatatlan képeit a next
és a random kihagyja (a hibaüzenet megnevezi őket). Az időzítő a systemd felhasználói
példányában fut (zolvera-rotate.timer); ahol a munkamenet jelzi magát a systemd-nek
(graphical-session.target), csak a grafikus munkamenettel együtt.

Kilépési kód: 0 siker (a háttérkép megjelent az asztalon), 1 hiba (például nincs
grafikus felület; ekkor a csoport helye sem lép tovább), 2 hibás parancssor.
</source>
        <translation>Usage:
  zolvera-wallpaper set PICTURE         PICTURE (a JPEG file) becomes the wallpaper
  zolvera-wallpaper next GROUP          the group&apos;s next picture becomes the wallpaper
  zolvera-wallpaper random GROUP        another, random picture of the group becomes
                                        the wallpaper
  zolvera-wallpaper restore             the last wallpaper shows again (for example
                                        at login, where the desktop does not keep it)
  zolvera-wallpaper groups              the groups, one per line
  zolvera-wallpaper rotate GROUP INTERVAL [--random]
                                        every INTERVAL (at least 1s; for example
                                        30min, 1h) the group&apos;s next (or a random)
                                        picture becomes the wallpaper
  zolvera-wallpaper rotate --stop       stops the timer
  zolvera-wallpaper --help              this help
  zolvera-wallpaper --version           the program&apos;s version

Letter case does not matter in a group&apos;s name. next and random skip the group&apos;s
unreadable pictures (the error message names them). The timer runs in the systemd
user instance (zolvera-rotate.timer); where the session announces itself to
systemd (graphical-session.target), only together with the graphical session.

Exit status: 0 success (the wallpaper appeared on the desktop), 1 failure (for
example no graphical display; the group&apos;s position does not move on then),
2 invalid command line.
</translation>
    </message>
    <message>
        <source>Ez a kép nem jeleníthető meg, kimarad: %1 (%2)</source>
        <translation>This picture cannot be shown and is skipped: %1 (%2)</translation>
    </message>
    <message>
        <source>Egyik kép sem jeleníthető meg ebből a csoportból: %1.</source>
        <translation>None of the pictures of this group can be shown: %1.</translation>
    </message>
    <message>
        <source>Érvénytelen időköz: %1 (legalább egy másodperc, egy sorban; például 30min, 1h vagy 1d).</source>
        <translation>Invalid interval: %1 (at least one second, on one line; for example 30min, 1h or 1d).</translation>
    </message>
    <message>
        <source>A háttérkép %1 időközönként vált a %2 csoportból (%3).
</source>
        <translation>The wallpaper changes every %1 to a picture of the group %2 (%3).
</translation>
    </message>
    <message>
        <source>Nem fut a systemd felhasználói példánya, ezért az időzítő nem indult el.
A fájlok elkészültek itt: %1
Bekapcsolás később: systemctl --user enable --now %2
</source>
        <translation>The systemd user instance is not running, so the timer did not start.
The files have been written here: %1
To turn it on later: systemctl --user enable --now %2
</translation>
    </message>
    <message>
        <source>Az időzítő leállt, a fájljai törölve.
</source>
        <translation>The timer has stopped and its files are deleted.
</translation>
    </message>
    <message>
        <source>Nincs beállított időzítő.
</source>
        <translation>No timer is set.
</translation>
    </message>
    <message>
        <source>zolvera-wallpaper: hibás parancssor. Súgó: zolvera-wallpaper --help
</source>
        <translation>zolvera-wallpaper: invalid command line. Help: zolvera-wallpaper --help
</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_About</name>
    <message>
        <source>Névjegy</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_Csomagkeszit</name>
    <message>
        <source>Csomagol</source>
        <translation>Pack</translation>
    </message>
    <message>
        <source>Bezár</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Csomag készítése (DTA file készítés)</source>
        <translation>Make Package (DTA File)</translation>
    </message>
    <message>
        <source>Zolvera csomag file-ok (*.dta)|*.dta</source>
        <translation>Zolvera package files (*.dta)|*.dta</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; könyvtár nem található.</source>
        <translation>The folder &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; nem nevezhető át erre: &quot;%2&quot;.</source>
        <translation>&quot;%1&quot; cannot be renamed to &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>A gyökérkönyvtárból nem készíthető csomag. Válasszon ki egy képeket tartalmazó könyvtárat.</source>
        <translation>A package cannot be made from the root folder. Choose a folder that holds pictures.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; csomag készítése...</source>
        <translation>Making the package &quot;%1&quot;...</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_Letolt</name>
    <message>
        <source>Lista frissítés</source>
        <translation>Refresh List</translation>
    </message>
    <message>
        <source>Letöltés</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Bezár</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Csomag letöltése Internetről</source>
        <translation>Download Package from the Internet</translation>
    </message>
    <message>
        <source>név</source>
        <translation>name</translation>
    </message>
    <message>
        <source>link</source>
        <translation>link</translation>
    </message>
    <message>
        <source>Hiba az állomány lista megnyitásakor.</source>
        <translation>Error while opening the file list.</translation>
    </message>
    <message>
        <source>Lista frissítése kész.</source>
        <translation>The list has been refreshed.</translation>
    </message>
    <message>
        <source>A file letöltése kész.</source>
        <translation>The file has been downloaded.</translation>
    </message>
    <message>
        <source>Hiba letöltés közben</source>
        <translation>Error while downloading</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_Main</name>
    <message>
        <source>Kép megnyitása</source>
        <translation>Open Picture</translation>
    </message>
    <message>
        <source>JPEG képek (*.jpg;*.jpeg)|*.jpg;*.jpeg</source>
        <translation>JPEG pictures (*.jpg;*.jpeg)|*.jpg;*.jpeg</translation>
    </message>
    <message>
        <source>Kép-csomag megnyitása</source>
        <translation>Open Picture Package</translation>
    </message>
    <message>
        <source>Zolvera csomag file-ok (*.dta)|*.dta</source>
        <translation>Zolvera package files (*.dta)|*.dta</translation>
    </message>
    <message>
        <source>A beállítások nem lettek elmentve, mert a képtárat egy másik ablak vagy program használja.</source>
        <translation>The settings were not saved because the library is in use by another window or program.</translation>
    </message>
    <message>
        <source>A képtárat most egy másik ablak vagy program használja.
Várjak, amíg felszabadul? (Nem: a módosítás elmarad.)</source>
        <translation>The library is in use by another window or program right now.
Wait until it is free? (No: the change is not made.)</translation>
    </message>
    <message>
        <source>Foglalt képtár</source>
        <translation>Library in Use</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_Rendszer</name>
    <message>
        <source>Rendszerparaméterek</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source> Képernyő </source>
        <translation> Screen </translation>
    </message>
    <message>
        <source>Háttérkép nyújtása</source>
        <translation>Stretch wallpaper</translation>
    </message>
    <message>
        <source>Háttérkép automatikus méretezése
a képernyőn</source>
        <translation>Automatically size the wallpaper
to the screen</translation>
    </message>
    <message>
        <source>Diavetítés</source>
        <translation>Slideshow</translation>
    </message>
    <message>
        <source>Alapértelmezett léptetés intervallum</source>
        <translation>Default interval between pictures</translation>
    </message>
    <message>
        <source> sec</source>
        <translation> sec</translation>
    </message>
    <message>
        <source>Ablak teljes képernyős</source>
        <translation>Full-screen window</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Mégsem</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_UjCsoport</name>
    <message>
        <source>Csoport neve</source>
        <translation>Group name</translation>
    </message>
    <message>
        <source>Kép választás</source>
        <translation>Choose a picture</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Mégsem</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Új csoport létrehozása</source>
        <translation>Create New Group</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; kép nem használható borítónak: %2</source>
        <translation>The picture &quot;%1&quot; cannot be used as a cover: %2</translation>
    </message>
    <message>
        <source>Add meg a csoport nevét!</source>
        <translation>Enter the name of the group.</translation>
    </message>
    <message>
        <source>Hibás csoportnév megadás.</source>
        <translation>Invalid group name.</translation>
    </message>
    <message>
        <source>A Template könyvtárban nincs borítónak való kép (*.jpg), ezért csoport nem hozható létre.</source>
        <translation>The Template folder has no picture (*.jpg) to use as a cover, so a group cannot be created.</translation>
    </message>
    <message>
        <source>A kiválasztott kép nem olvasható, válasszon másik borítót.</source>
        <translation>The chosen picture cannot be read; choose another cover.</translation>
    </message>
    <message>
        <source>A(z) &quot;%1&quot; kép nem másolható a csoport könyvtárába, ezért a csoport nem jött létre.</source>
        <translation>The picture &quot;%1&quot; cannot be copied into the group&apos;s folder, so the group was not created.</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_dia</name>
    <message>
        <source>Dia indítása</source>
        <translation>Start Slideshow</translation>
    </message>
    <message>
        <source>Előző kép</source>
        <translation>Previous Picture</translation>
    </message>
    <message>
        <source>Következő kép</source>
        <translation>Next Picture</translation>
    </message>
    <message>
        <source>Leállít</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Bezár</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Léptetési idő beállítás</source>
        <translation>Set the interval between pictures</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::Tfrm_mutat</name>
    <message>
        <source>Beállítás tapétaként</source>
        <translation>Set as Wallpaper</translation>
    </message>
    <message>
        <source>Bezár</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>zolvera::ui::WorkProgress</name>
    <message>
        <source>Leállítás</source>
        <translation>Stop</translation>
    </message>
</context>
</TS>
