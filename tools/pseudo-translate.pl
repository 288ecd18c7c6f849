#!/usr/bin/perl
# The pseudo-language's translation of one text, as msgfilter hands it over (UTF-8 on standard
# input): vowels accented, wrapped in brackets and lengthened by half, so that a text that
# escaped the catalogue shows unbracketed and a caption laid out for Spanish overflows.
# Format directives (%s, %1$s) and line ends keep their place.
use strict;
use warnings;
binmode STDIN, ':encoding(UTF-8)';
binmode STDOUT, ':encoding(UTF-8)';
local $/;
my $text = <STDIN>;
$text = '' unless defined $text;
my $ending = $text =~ s/(\n*)\z// ? $1 : '';
(my $accented = $text) =~ tr/aeiouAEIOUcnCN/\x{e1}\x{e9}\x{ed}\x{f3}\x{fa}\x{c1}\x{c9}\x{cd}\x{d3}\x{da}\x{e7}\x{f1}\x{c7}\x{d1}/;
my $padding = '~' x (int(length($text) / 2) + 1);
print '[' . $accented . $padding . ']' . $ending;
