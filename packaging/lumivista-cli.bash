# bash completion for lumivista-cli
_lumivista_cli() {
  local cur prev words cword
  _init_completion || return

  local commands="new show build templates"
  local command="" i
  for ((i = 1; i < cword; i++)); do
    case "${words[i]}" in
      new | show | build | templates) command=${words[i]}; break ;;
    esac
  done

  case "$prev" in
    --template)
      local IFS=$'\n'
      COMPREPLY=($(compgen -W "$(lumivista-cli templates 2>/dev/null)" -- "$cur"))
      return ;;
    --template-dir)
      _filedir -d
      return ;;
    --json)
      [[ $command == new ]] && { _filedir json; return; } ;;
    --caption | --free-text | --detail-caption | --per-row | --thumb-width | --thumb-height | \
      --border | --detail-border | --bgcolor | --bgcolor2)
      return ;;
  esac

  if [[ -z $command ]]; then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi

  local options
  case "$command" in
    new) options="--json --caption --free-text --detail-caption --per-row --thumb-width --thumb-height
                  --border --detail-border --bgcolor --bgcolor2 --help" ;;
    show) options="--json --help" ;;
    build) options="--template --template-dir --no-backlink --quiet --jobs --update --help" ;;
    templates) options="--template-dir --help" ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [[ $command == new ]]; then
    _filedir
  elif [[ $command == build ]]; then
    _filedir '@(lva|htm|html)'
  else
    _filedir lva
  fi
} && complete -F _lumivista_cli lumivista-cli
