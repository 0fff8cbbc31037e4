# Turns the machine's apt sources into source-package entries for the
# bootstrap's private apt configuration.
#
# Input: any mix of one-line *.list files and deb822 *.sources files, each
# file preceded by a marker line "#qorva-file list" or "#qorva-file sources".
# Output: deb822 stanzas with "Types: deb-src", one per archive and suite,
# keeping every field that decides how the archive is reached and trusted
# (Signed-By, also an embedded key, Trusted, Check-Valid-Until, ...).
#
# Variables: codename (the machine's release codename; empty keeps every suite).

function reset_stanza() {
    delete field_value
    delete field_raw
    delete field_order
    field_count = 0
    last_field = ""
}

# Suites of another release or a backports suite would fetch sources that do
# not match the -dev packages the native build uses.
function wanted_suite(suite,    base) {
    if (suite ~ /backports/) return 0
    if (codename == "") return 1
    base = suite
    sub(/\/$/, "", base)
    sub(/[-\/].*$/, "", base)
    return base == codename || base ~ /^(stable|oldstable|oldoldstable|testing|unstable|sid)$/
}

function emit(uri, suite, components, extra,    key) {
    if (uri ~ /^cdrom:/ || !wanted_suite(suite)) return
    key = uri " " suite
    sub(/\/+ /, " ", key)
    if (key in seen) return
    seen[key] = 1
    print "Types: deb-src"
    print "URIs: " uri
    print "Suites: " suite
    if (components != "") print "Components: " components
    if (extra != "") printf "%s", extra
    print ""
}

function flush_stanza(    types, uris, suites, comps, extra, i, n, name, lname, nu, ns, u, s, ulist, slist) {
    if (field_count == 0) return
    types = field_value["types"]; uris = field_value["uris"]
    suites = field_value["suites"]; comps = field_value["components"]
    if (tolower(field_value["enabled"]) ~ /^[ \t]*no[ \t]*$/) { reset_stanza(); return }
    if (types !~ /(^|[ \t])deb(-src)?([ \t]|$)/) { reset_stanza(); return }
    extra = ""
    for (i = 1; i <= field_count; i++) {
        name = field_order[i]; lname = tolower(name)
        if (lname ~ /^(types|uris|suites|components|enabled|architectures|languages|targets)$/) continue
        extra = extra name ":" field_raw[lname] "\n"
    }
    gsub(/^[ \t]+|[ \t]+$/, "", comps)
    gsub(/[ \t]+/, " ", comps)
    nu = split(uris, ulist, /[ \t]+/)
    ns = split(suites, slist, /[ \t]+/)
    for (u = 1; u <= nu; u++) {
        if (ulist[u] == "") continue
        for (s = 1; s <= ns; s++) {
            if (slist[s] == "") continue
            emit(ulist[u], slist[s], comps, extra)
        }
    }
    reset_stanza()
}

# One-line form: type [options] uri suite [component...]
function one_line(line,    opts, n, w, i, comps, extra, o, no, k, v) {
    sub(/#.*/, "", line)
    if (line !~ /^[ \t]*deb(-src)?[ \t]/) return
    sub(/^[ \t]*deb(-src)?[ \t]+/, "", line)
    opts = ""
    if (line ~ /^\[/) {
        opts = line
        sub(/\].*/, "", opts)
        sub(/^\[/, "", opts)
        sub(/^[^\]]*\][ \t]*/, "", line)
    }
    gsub(/^[ \t]+|[ \t]+$/, "", line)
    n = split(line, w, /[ \t]+/)
    if (n < 2) return
    comps = ""
    for (i = 3; i <= n; i++) comps = comps (comps == "" ? "" : " ") w[i]
    extra = ""
    gsub(/^[ \t]+|[ \t]+$/, "", opts)
    no = split(opts, o, /[ \t]+/)
    for (i = 1; i <= no; i++) {
        if (index(o[i], "=") == 0) continue
        k = o[i]; sub(/=.*/, "", k)
        v = o[i]; sub(/^[^=]*=/, "", v)
        sub(/[+-]$/, "", k)
        k = tolower(k)
        gsub(/,/, " ", v)
        if (k in option_field) extra = extra option_field[k] ": " v "\n"
    }
    emit(w[1], w[2], comps, extra)
}

BEGIN {
    # One-line options that decide how an archive is reached and trusted.
    option_field["signed-by"] = "Signed-By"
    option_field["trusted"] = "Trusted"
    option_field["check-valid-until"] = "Check-Valid-Until"
    option_field["valid-until-min"] = "Valid-Until-Min"
    option_field["valid-until-max"] = "Valid-Until-Max"
    option_field["check-date"] = "Check-Date"
    option_field["date-max-future"] = "Date-Max-Future"
    option_field["allow-insecure"] = "Allow-Insecure"
    option_field["allow-weak"] = "Allow-Weak"
    option_field["allow-downgrade-to-insecure"] = "Allow-Downgrade-To-Insecure"
}

/^#qorva-file / {
    flush_stanza()
    format = $2
    next
}

format == "list" { one_line($0); next }

format == "sources" {
    if ($0 ~ /^[ \t]*$/) { flush_stanza(); next }
    if ($0 ~ /^#/) next
    if ($0 ~ /^[ \t]/) {
        # Continuation line (multi-line values such as an embedded key).
        if (last_field != "") {
            field_raw[last_field] = field_raw[last_field] "\n" $0
            field_value[last_field] = field_value[last_field] " " $0
        }
        next
    }
    if (index($0, ":") == 0) next
    name = $0; sub(/:.*/, "", name)
    value = $0; sub(/^[^:]*:/, "", value)
    last_field = tolower(name)
    if (!(last_field in field_value)) field_order[++field_count] = name
    field_raw[last_field] = value
    field_value[last_field] = value
    next
}

END { flush_stanza() }
