#!/usr/bin/env perl
# Checks a catalogue's translation of the texts whose source is English (the texts po/en.po
# gives as themselves: the command line's help and notes). Prints each such text the catalogue
# leaves untranslated or fuzzy, which a reader of that language would see in English, and each
# translation that lost an option name its source gives (--until), which a person types as
# written. Exits 1 when it printed anything.
#   tools/check-english-sources.pl po/en.po po/es.po
use strict;
use warnings;

# The entries of a PO file: source => [translation, fuzzy], without the header and without
# the obsolete entries msgmerge keeps at the end (#~).
sub entries {
    my ($path) = @_;
    open(my $file, '<:encoding(UTF-8)', $path) or die "$path: $!\n";
    local $/ = '';  # one entry a paragraph
    my %entries;
    while (my $entry = <$file>) {
        my ($source, $translation, $field) = ('', '', '');
        my $fuzzy = $entry =~ /^#,.*\bfuzzy\b/m;
        for my $line (split /\n/, $entry) {
            if ($line =~ /^(msgid|msgstr) "(.*)"$/) {
                $field = $1;
                $line = $2;
            } elsif ($line =~ /^"(.*)"$/) {
                $line = $1;
            } else {
                $field = '' if $line !~ /^#/;  # msgctxt, msgid_plural: not used by the program
                next;
            }
            $source .= $line if $field eq 'msgid';
            $translation .= $line if $field eq 'msgstr';
        }
        $entries{$source} = [$translation, $fuzzy] if $source ne '';
    }
    return \%entries;
}

my ($english_path, $catalogue_path) = @ARGV;
die "usage: $0 po/en.po po/CODE.po\n" unless defined $catalogue_path;
my $english = entries($english_path);
my $catalogue = entries($catalogue_path);
binmode(STDERR, ':encoding(UTF-8)');
my $faults = 0;
for my $source (sort keys %$english) {
    next unless $english->{$source}[0] eq $source;
    my ($translation, $fuzzy) = @{$catalogue->{$source} // ['', 0]};
    if ($translation eq '' || $fuzzy) {
        print STDERR "$catalogue_path: \"$source\" is not translated\n";
        $faults++;
        next;
    }
    for my $option ($source =~ /(?<![\w-])(--[a-z][a-z-]*)/g) {
        next if index($translation, $option) >= 0;
        print STDERR "$catalogue_path: \"$translation\" lost $option\n";
        $faults++;
    }
}
exit($faults ? 1 : 0);
