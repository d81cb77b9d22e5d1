# fish completion for moxa-cli
set -l commands version update settings install-update load formula report plan compare profit order wizard generate help
set -l reports report plan compare profit

complete -c moxa-cli -f
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -l data-dir -r -a '(__fish_complete_directories)' -d 'the data folder'
complete -c moxa-cli -l yes -d 'answer every question with yes'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -s V -l version -d 'print the version'
complete -c moxa-cli -s h -l help -d 'print the help'

complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a version -d 'print the version'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a update -d 'check an update server and install a newer database'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a settings -d 'print or store the settings'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a install-update -d 'install the update archive waiting in Temp'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a load -d 'load the database and print its counts'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a formula -d 'print a formula'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a report -d 'print one report of an order'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a plan -d 'print what is left to make and gather'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a compare -d 'print the gathering under each character'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a profit -d 'print what each order item costs and its margin'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a order -d 'print an order, add a list to it, save it'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a wizard -d 'make an order from a wizard template'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a generate -d 'write a synthetic data folder'
complete -c moxa-cli -n "not __fish_seen_subcommand_from $commands" -a help -d 'print the help of a command'
complete -c moxa-cli -n "__fish_seen_subcommand_from help" -a "$commands"

complete -c moxa-cli -n "__fish_seen_subcommand_from update" -l server -x -d 'the server to check'
complete -c moxa-cli -n "__fish_seen_subcommand_from update" -l check-only -d 'only check, download nothing'
complete -c moxa-cli -n "__fish_seen_subcommand_from load" -l rebuild -d 'delete the cache first'

complete -c moxa-cli -n "__fish_seen_subcommand_from $reports order" -k -a '(__fish_complete_suffix .xml)'
complete -c moxa-cli -n "__fish_seen_subcommand_from $reports wizard" -s o -l output -r -F -d 'write to FILE'
complete -c moxa-cli -n "__fish_seen_subcommand_from $reports wizard" -l profile -x -d 'the profile, SERVER:NAME'
complete -c moxa-cli -n "__fish_seen_subcommand_from $reports" -l select -x -d 'only the items and groups of that name'
complete -c moxa-cli -n "__fish_seen_subcommand_from report plan profit" -l no-profile -d 'no profile'
complete -c moxa-cli -n "__fish_seen_subcommand_from report" -l content -x -a 'order-comps order components bonuses' -d 'what the report holds'
complete -c moxa-cli -n "__fish_seen_subcommand_from report" -l breakdown -x -a 'components subcomponents base' -d 'how components are broken down'
complete -c moxa-cli -n "__fish_seen_subcommand_from report" -l sort -x -a 'name quantity' -d 'row order'
complete -c moxa-cli -n "__fish_seen_subcommand_from report" -l bonuses -x -a 'direct indirect' -d 'bonus report'
complete -c moxa-cli -n "__fish_seen_subcommand_from report" -l format -x -a 'grid clipboard html csv json' -d 'output format'
complete -c moxa-cli -n "__fish_seen_subcommand_from report" -l open -d 'also write and open the HTML page'
complete -c moxa-cli -n "__fish_seen_subcommand_from plan compare profit" -l format -x -a 'grid csv json' -d 'output format'
complete -c moxa-cli -n "__fish_seen_subcommand_from plan" -l by-location -d 'group the gathering by location'
complete -c moxa-cli -n "__fish_seen_subcommand_from plan profit" -l prices -r -F -d 'the price list (CSV)'
complete -c moxa-cli -n "__fish_seen_subcommand_from plan profit" -l no-prices -d 'use no price list'
complete -c moxa-cli -n "__fish_seen_subcommand_from plan profit" -l characters -x -a all -d 'who may craft: SERVER:NAME,... or all'

complete -c moxa-cli -n "__fish_seen_subcommand_from order" -l save-as -r -F -d 'write the order to FILE'
complete -c moxa-cli -n "__fish_seen_subcommand_from order" -l add-list -r -F -d 'add the items FILE names'
complete -c moxa-cli -n "__fish_seen_subcommand_from order" -l group -x -d 'the group the listed items go into'

complete -c moxa-cli -n "__fish_seen_subcommand_from wizard" -l template -x -d 'the template'
complete -c moxa-cli -n "__fish_seen_subcommand_from wizard" -l race -x -d 'the race'
complete -c moxa-cli -n "__fish_seen_subcommand_from wizard" -l level -x -d 'the level'
complete -c moxa-cli -n "__fish_seen_subcommand_from wizard" -l append -r -F -d 'add to this order'

complete -c moxa-cli -n "__fish_seen_subcommand_from generate" -l size -x -d 'megabytes of XML'
complete -c moxa-cli -n "__fish_seen_subcommand_from generate" -l seed -x -d 'the seed'
complete -c moxa-cli -n "__fish_seen_subcommand_from generate" -a '(__fish_complete_directories)'
